#pragma once
// The Chinese-character test with its exact form, through the system's
// regular-expression object.
#include <string_view>

namespace korvath::app {

// Whether the text counts as Chinese. The byte test (default) accepts any
// text of two-byte characters; the exact test asks "VBScript.RegExp" whether
// the whole text is characters U+4E00 to U+9FA5. Texts of one byte or less
// (blanks not counted) are never Chinese.
bool IsCjkText(std::string_view text, bool exactTest = false);

}  // namespace korvath::app
