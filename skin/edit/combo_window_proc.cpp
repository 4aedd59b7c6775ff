// The procedure of skinned combo boxes: every picture of the control is the
// skin's, every other message the control's own.
#include <utility>

#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/hot_control.h"
#include "skin/core/skin_message.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/painters.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

// The box found again: after the procedure behind the skin ran.
ComboRef FindCombo(HWND control) { return SkinFindEntry(control, &SkinWindowRecord::Combos); }

bool HasInnerEdit(HWND control) { return FindWindowExW(control, nullptr, L"Edit", nullptr) != nullptr; }

void OnMouseMove(const SkinMessage& m, const ComboRef& combo) {
  if (!combo.record) return;
  if (SkinHotEnter(*combo.record, {.window = m.window, .number = combo.number, .kind = HoverKind::Combo}))
    ComboSkinPaint(combo, true);
}

void OnMouseLeave(const ComboRef& combo) {
  ComboSkinPaint(combo, false);
  if (combo.record) SkinHotLeave(*combo.record);
}

// The box whose WM_PAINT is under way: its BeginPaint sends WM_NCPAINT, and
// the picture that WM_PAINT draws right after covers the frame as well. Not
// engine state: set and put back around one BeginPaint on the window's
// thread.
HWND boxInPaint = nullptr;

LRESULT OnPaint(const SkinMessage& m, const ComboRef& combo) {
  const HWND outer = std::exchange(boxInPaint, m.window);
  platform::PaintScope validate(m.window);
  boxInPaint = outer;
  ComboSkinPaint(combo);
  return 0;
}

// The picture of WM_PAINT onto the given DC; a box without an entry is the
// control's own.
LRESULT OnPrintClient(const SkinMessage& m, const ComboRef& combo) {
  if (!combo) return m.Forward();
  ComboSkinPrint(combo, m.dc());
  return 0;
}

void OnSetFocus(const ComboRef& combo) {
  if (combo) combo->focused = true;
  ComboSkinPaint(combo, std::nullopt, true);
}

LRESULT OnKillFocus(const SkinMessage& m, const ComboRef& combo) {
  if (combo) combo->focused = false;
  if (HasInnerEdit(m.window)) return m.Forward();
  m.Forward();
  ComboSkinPaint(FindCombo(m.window));
  return 0;
}

// The text goes to the control first; its answer (CB_ERR when a drop-down
// list has no such item) is the caller's.
LRESULT OnSetText(const SkinMessage& m) {
  const LRESULT result = m.Forward();
  if (HasInnerEdit(m.window)) InvalidateRect(m.window, nullptr, TRUE);
  ComboSkinPaint(FindCombo(m.window));
  return result;
}

LRESULT OnControlColour(const SkinMessage& m, const ComboRef& combo) {
  if (!SkinEngine.options.SkinTransparentMode || !combo.record) return m.Forward();
  return SkinMessage::Answer(SkinChildColourBrush(*combo.record, m.dc(), m.control(), false));
}

LRESULT OnCommand(const SkinMessage& m) {
  const HWND sender = m.control();
  if (SkinEngine.options.SkinTransparentMode && SkinEngine.options.SkinEnabled &&
      SkinGetClassNameText(sender) == "Edit") {
    switch (m.notification()) {
      case EN_VSCROLL:
      case EN_HSCROLL:
      case EN_CHANGE:
      case EN_UPDATE: InvalidateRect(sender, nullptr, TRUE); break;
      default: break;
    }
  }
  return m.Forward();
}

LRESULT OnNcPaint(const SkinMessage& m, const ComboRef& combo) {
  if (m.window != boxInPaint) ComboSkinPaint(combo);
  return DefWindowProcW(m.window, WM_NCPAINT, WPARAM(-1), m.lParam);
}

LRESULT OnResetContent(const SkinMessage& m) {
  m.Forward();
  ComboSkinPaint(FindCombo(m.window));
  return 0;
}

// A selection set by code: the control draws the new item's text itself,
// straight onto the screen and with no paint message to follow, so the skin's
// picture goes over it at once, as after a choice of the user's. The answer
// (the index, or CB_ERR) is the caller's.
LRESULT OnSelectionSet(const SkinMessage& m) {
  const LRESULT result = m.Forward();
  ComboSkinPaint(FindCombo(m.window));
  return result;
}

// The skin's part of a message to ComboSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND control = m.window;
  const UINT message = m.message;
  const ComboRef combo = FindCombo(control);
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(m, combo); break;
    case WM_MOUSELEAVE:        OnMouseLeave(combo); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(combo, control); break;
    case WM_MOVE:              ComboSkinPaint(combo); break;
    case WM_ERASEBKGND:        SetBkMode(m.dc(), TRANSPARENT); return 1;
    case WM_PAINT:             return OnPaint(m, combo);
    case WM_PRINTCLIENT:       return OnPrintClient(m, combo);
    case WM_SETFOCUS:          OnSetFocus(combo); break;
    case WM_KILLFOCUS:         return OnKillFocus(m, combo);
    case WM_SETTEXT:           return OnSetText(m);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:    return OnControlColour(m, combo);
    case WM_COMMAND:           return OnCommand(m);
    case WM_NCPAINT:           return OnNcPaint(m, combo);
    case CB_RESETCONTENT:      return OnResetContent(m);
    case CB_SETCURSEL:
    case CB_SELECTSTRING:      return OnSelectionSet(m);
    default:                   break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK ComboSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({control, message, wParam, lParam}, &SkinPart);
}

}  // namespace korvath::skin
