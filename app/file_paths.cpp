#include "app/file_paths.h"

#include "platform/text_commands.h"

namespace korvath::app {

using namespace korvath::platform;

std::string PathDirectoryPart(std::string_view path) {
  int k = FindLastByteOutsideChars(path, '\\');
  return k < 1 ? std::string() : std::string(path.substr(0, size_t(k)));
}

std::string WithTrailingBackslash(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && FindLastByteOutsideChars(out, '\\') != int(out.size())) out += '\\';
  return out;
}

std::string OpenFileFilterBytes(std::string_view filter) {
  std::string bytes;
  for (const std::string& piece : SplitText(filter, "|")) {
    bytes += piece;
    bytes += '\0';
  }
  bytes += '\0';
  return bytes;
}

}  // namespace korvath::app
