#pragma once
// Path and dialog-filter texts (GBK). A "\" can be the trail byte of a
// two-byte character, so the tests for it step over whole characters.
#include <string>
#include <string_view>

namespace korvath::app {

// The path up to and including its last "\"; empty when it has none.
std::string PathDirectoryPart(std::string_view path);
// The folder with one "\" at its end; an empty text stays empty.
std::string WithTrailingBackslash(std::string_view folder);
// An open-dialog filter "description|pattern|..." as the dialog wants it:
// each piece followed by a NUL byte, and one more NUL at the end.
std::string OpenFileFilterBytes(std::string_view filter);

}  // namespace korvath::app
