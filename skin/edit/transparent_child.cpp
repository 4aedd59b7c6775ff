// The procedure of children with a transparent background: the parent's
// skinned background under them in transparent mode, and their picture in
// the owner's child layer after every paint.
#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/entry_lookup.h"
#include "skin/edit/painters.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

LRESULT CALLBACK TransparentChildSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      if (!SkinEngine.options.SkinTransparentMode) break;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      SkinPaintWindowDcBackground(control, reinterpret_cast<HDC>(wParam), 0);
      return 1;
    case WM_PAINT: {
      const LRESULT result = SkinForward(control, message, wParam, lParam);
      platform::WindowDC dc = platform::WindowDC::Client(control);
      SkinPaintChildBackground(control, dc.get());
      return result;
    }
    default:
      break;
  }
  return SkinForward(control, message, wParam, lParam);
}

}  // namespace korvath::skin
