#include "skin/core/native_border.h"

namespace korvath::skin {

namespace {
constexpr LONG kNativeEdgeBits = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
}

void RemoveNativeBorder(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if (style & WS_BORDER) SetWindowLongA(window, GWL_STYLE, style & ~WS_BORDER);
  const LONG ex = GetWindowLongA(window, GWL_EXSTYLE);
  SetWindowLongA(window, GWL_EXSTYLE, ex & ~kNativeEdgeBits);
}

}  // namespace korvath::skin
