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
  // Marked before the call: a failure beneath it must not send it twice.
  handedOn = 0;
  handedOn = slot ? SkinForward(window, message, given, lParam, *slot) : DefWindowProcW(window, message, given, lParam);
  return *handedOn;
}

LRESULT SkinMessageBoundary(const SkinMessage& m, LRESULT (*handle)(const SkinMessage&)) noexcept {
  try {
    return handle(m);
  } catch (...) {
    // The skin's part ends here; what it held is released by now.
  }
  return m.handedOn ? *m.handedOn : m.Forward();
}

}  // namespace korvath::skin
