#pragma once
// One message as a skin procedure takes it: its window and parameters, read
// through typed views (each names the messages it is for), and the hand-over
// to the procedure behind the skin. The views are the one place where a
// skin procedure turns its parameters into handles, pointers and points.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <type_traits>

#include "platform/message_params.h"
#include "skin/core/subclass.h"

namespace korvath::skin {

// The signed point packed in a mouse message's lParam (client coordinates;
// screen coordinates for non-client messages and WM_NCHITTEST): each half
// sign-extended, so that a point left of or above the window (the mouse
// captured) comes out negative.
POINT SkinPointOf(LPARAM packed);

struct SkinMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  // The slot whose saved procedure gets what the skin does not finish; null:
  // the default processing (the engine's own window classes).
  const SubclassSlot* slot = &kSkinSlot;
  // What the procedure behind answered once this message went on to it (set
  // as it goes): the edge of the skin procedure then hands it on no second
  // time (SkinMessageBoundary).
  mutable std::optional<LRESULT> handedOn;

  // WM_ERASEBKGND, WM_PRINTCLIENT, WM_CTLCOLOR*: the DC in wParam; WM_PAINT
  // as a skin forwards it with a DC of its own.
  HDC dc() const { return platform::FromParam<HDC>(LONG_PTR(wParam)); }
  // WM_CTLCOLOR*, WM_COMMAND (from a control): the control in lParam.
  HWND control() const { return platform::FromParam<HWND>(lParam); }
  // WM_COMMAND: the notification code and the command or control id.
  UINT notification() const { return HIWORD(wParam); }
  UINT commandId() const { return LOWORD(wParam); }
  // Mouse messages, WM_NCHITTEST, WM_CONTEXTMENU.
  POINT point() const { return SkinPointOf(lParam); }
  // WM_DRAWITEM (null when lParam is 0).
  const DRAWITEMSTRUCT* drawItem() const { return platform::FromParam<const DRAWITEMSTRUCT*>(lParam); }
  // WM_MEASUREITEM.
  MEASUREITEMSTRUCT* measureItem() const { return platform::FromParam<MEASUREITEMSTRUCT*>(lParam); }
  // WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED.
  WINDOWPOS* windowPos() const { return platform::FromParam<WINDOWPOS*>(lParam); }
  // WM_GETMINMAXINFO.
  MINMAXINFO* minMaxInfo() const { return platform::FromParam<MINMAXINFO*>(lParam); }
  // WM_NOTIFY, as given.
  const NMHDR* notify() const { return platform::FromParam<const NMHDR*>(lParam); }
  // WM_NOTIFY's header copied out only when the memory it names can be read
  // (a foreign or stale pointer gives none).
  std::optional<NMHDR> notifyCopy() const;
  // WM_INITMENUPOPUP: the menu about to open.
  HMENU menu() const { return platform::FromParam<HMENU>(LONG_PTR(wParam)); }
  // WM_SETTEXT of a Unicode window, of an ANSI one (null: no text).
  const wchar_t* wideText() const { return platform::FromParam<const wchar_t*>(lParam); }
  const char* ansiText() const { return platform::FromParam<const char*>(lParam); }
  // WM_TIMER.
  UINT_PTR timer() const { return wParam; }

  // A handle as the message's answer (the brush of a WM_CTLCOLOR*).
  template <class Handle>
    requires std::is_pointer_v<Handle>
  static LRESULT Answer(Handle handle) {
    return platform::ToParam(handle);
  }

  // To the slot's saved procedure (SkinForward); DefWindowProcW without a slot.
  LRESULT Forward() const { return ForwardWith(wParam); }
  // The message with another wParam.
  LRESULT ForwardWith(WPARAM given) const;
  // WM_PAINT (or a print) with `dc` in wParam: the procedure behind draws
  // there.
  LRESULT ForwardOnto(HDC dc) const { return ForwardWith(WPARAM(platform::ToParam(dc))); }
  // The saved procedure first, then `work`.
  template <class Work>
  LRESULT ForwardThen(Work work) const {
    const LRESULT result = Forward();
    work();
    return result;
  }
};

// The edge where the system hands a skin procedure its message: `handle`
// does the skin's part. Whatever that throws (memory that runs out,
// error_policy.h) ends the skin's part there, and the message goes on to the
// procedure behind as if no skin stood in front of it; unless `m` had gone
// on already, whose answer then stands. Every window procedure of the engine
// runs its messages through it.
LRESULT SkinMessageBoundary(const SkinMessage& m, LRESULT (*handle)(const SkinMessage&)) noexcept;

// The menu of a menu item's WM_DRAWITEM: the item's window field carries it.
inline HMENU SkinMenuOfItem(const DRAWITEMSTRUCT& item) {
  return platform::FromParam<HMENU>(platform::ToParam(item.hwndItem));
}

}  // namespace korvath::skin
