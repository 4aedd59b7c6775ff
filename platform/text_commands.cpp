#include "platform/text_commands.h"

namespace korvath::platform {

std::string ToText(int32_t value) { return std::to_string(value); }
int32_t ToInteger(std::string_view) { return 0; }
std::string ToFullWidth(std::string_view text) { return std::string(text); }
std::string ToHalfWidth(std::string_view text) { return std::string(text); }
int TextLength(std::string_view text) { return static_cast<int>(text.size()); }
std::string TextMid(std::string_view, int, int) { return {}; }
std::string TextRight(std::string_view, int) { return {}; }
std::string TrimBoth(std::string_view text) { return std::string(text); }
std::string SpaceText(int) { return {}; }
std::string RemoveAllSpaces(std::string_view text) { return std::string(text); }
int CharCodeAt(std::string_view, int) { return 0; }
int FindText(std::string_view, std::string_view, int, bool) { return -1; }
int FindTextReverse(std::string_view, std::string_view) { return -1; }
std::string ReplaceSubText(std::string_view text, std::string_view, std::string_view, bool) {
  return std::string(text);
}
std::vector<std::string> SplitText(std::string_view, std::string_view) { return {}; }
bool IsGbkLeadByte(uint8_t byte) { return byte >= 0x81 && byte <= 0xFE; }
size_t GbkCharLength(std::string_view, size_t) { return 1; }
int FindByteOutsideChars(std::string_view, char) { return -1; }
int FindLastByteOutsideChars(std::string_view, char) { return -1; }

}  // namespace korvath::platform
