#include "app/pinyin_name.h"

#include <cstdint>

#include "platform/pinyin.h"
#include "platform/text_commands.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;

bool AllowedInFileName(std::string_view piece) {
  if (piece.size() != 1) return true;
  auto b = uint8_t(piece[0]);
  if (b < 0x20 || b > 0x7E) return false;
  return std::string_view("\\/:*?\"<>|").find(char(b)) == std::string_view::npos;
}
}  // namespace

bool IsCjkTextByBytes(std::string_view text) {
  size_t n = RemoveAllSpaces(text).size();
  if (n <= 1 || n > text.size()) return false;
  for (size_t i = 0; i < n; ++i)
    if (CharCodeAt(text, int(i) + 1) >= 0) return false;
  return true;
}

std::string NameToPinyinWith(std::string& text, bool separator, bool keepFullWidth,
                             CjkTest isCjk) {
  text = ToFullWidth(text);
  std::string result;
  for (size_t i = 0; i < text.size();) {
    size_t n = GbkCharLength(text, i);
    std::string_view ch(text.data() + i, n);
    i += n;
    if (isCjk(ch)) {
      result += GetPinyin(ch, 1);
      if (separator) result += ' ';
      continue;
    }
    std::string piece = keepFullWidth ? ToFullWidth(ch) : ToHalfWidth(ch);
    if (AllowedInFileName(piece)) result += piece;
  }
  text = ToHalfWidth(text);
  return result;
}

}  // namespace korvath::app
