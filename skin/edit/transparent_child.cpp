// The procedure of children with a transparent background: the parent's
// skinned background under them in transparent mode, and their picture in
// the owner's child layer after every paint. They have no entry: each
// message that needs the owner record finds it once (the slot's owner).
#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_message.h"
#include "skin/edit/painters.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

// The erase of the transparent mode onto the message's DC (of the child's
// client area).
void Erase(const SkinMessage& m) {
  SetBkMode(m.dc(), TRANSPARENT);
  if (const SkinWindowRecord* owner = SkinOwnerRecord(m.window)) {
    SkinPaintWindowDcBackground(*owner, m.window, m.dc(), 0);
  }
}

LRESULT OnPaint(const SkinMessage& m) {
  const LRESULT result = m.Forward();
  platform::WindowDC dc = platform::WindowDC::Client(m.window);
  if (const SkinWindowRecord* owner = SkinOwnerRecord(m.window)) SkinPaintChildBackground(*owner, m.window, dc.get());
  return result;
}

// In the transparent mode the screen shows the skin's erase under the
// child's own paint: a print gets the same erase under the child's own
// print. Otherwise the child prints itself.
LRESULT OnPrintClient(const SkinMessage& m) {
  if (SkinEngine.options.SkinTransparentMode) Erase(m);
  return m.Forward();
}

// The skin's part of a message to TransparentChildSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const UINT message = m.message;
  switch (message) {
    case WM_ERASEBKGND:
      if (!SkinEngine.options.SkinTransparentMode) break;
      Erase(m);
      return 1;
    case WM_PAINT:       return OnPaint(m);
    case WM_PRINTCLIENT: return OnPrintClient(m);
    default:             break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK TransparentChildSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({control, message, wParam, lParam}, &SkinPart);
}

}  // namespace korvath::skin
