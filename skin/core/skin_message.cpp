#include "skin/core/skin_message.h"

namespace korvath::skin {

POINT SkinPointOf(LPARAM packed) {
  return POINT{int16_t(LOWORD(packed)), int16_t(HIWORD(packed))};
}

std::optional<NMHDR> SkinMessage::notifyCopy() const {
  if (!lParam) return std::nullopt;
  NMHDR header{};
  SIZE_T read = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), platform::FromParam<LPCVOID>(lParam), &header, sizeof header, &read))
    return std::nullopt;
  return header;
}

LRESULT SkinMessage::ForwardWith(WPARAM given) const {
  return slot ? SkinForward(window, message, given, lParam, *slot) : DefWindowProcW(window, message, given, lParam);
}

}  // namespace korvath::skin
