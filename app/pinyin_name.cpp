#include "app/pinyin_name.h"

#include <cstdint>
#include <string>

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
  const std::string bare = RemoveAllSpaces(text);
  if (bare.empty()) return false;
  for (size_t i = 0; i < bare.size(); i += 2)
    if (GbkCharLength(bare, i) != 2) return false;
  return true;
}

std::string NameToPinyin(std::string& text, bool separator, bool keepFullWidth, CjkTest isCjk) {
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

std::string NpcFilePartOf(std::string& name) {
  std::string part = NameToPinyin(name);
  std::erase(part, ' ');
  return part;
}

}  // namespace korvath::app
