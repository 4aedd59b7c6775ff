#pragma once
// The old and the new content of the file that the kill test saves over, the
// test and the program that it kills alike: of different lengths, the new
// shorter, so that a file made of both shows.
#include <string>

namespace korvath::platform::files::savetest {

inline std::string Content(const std::string& word, size_t size) {
  std::string content;
  while (content.size() < size) content += word + " line " + std::to_string(content.size()) + "\r\n";
  content.resize(size);
  return content;
}

inline const std::string kOldContent = Content("old", 601);
inline const std::string kNewContent = Content("new", 510);

}  // namespace korvath::platform::files::savetest
