// The procedure of skinned combo boxes: every picture of the control is the
// skin's, every other message the control's own.
#include <utility>

#include "platform/gdi_object.h"
#include "skin/core/hover.h"
#include "skin/core/child_layer.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_message.h"
#include "skin/edit/painters.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {


void Paint(HWND control, std::optional<bool> hot = std::nullopt, std::optional<bool> focused = std::nullopt) {
  ComboSkinPaint(SkinOwnerNumber(control), SkinEntryNumber(control), hot, focused);
}

bool HasInnerEdit(HWND control) { return FindWindowExW(control, nullptr, L"Edit", nullptr) != nullptr; }

void OnMouseMove(const SkinMessage& m) {
  SkinWindowRecord* owner = SkinOwnerRecord(m.window);
  if (!owner) return;
  if (SkinHoverEnter(*owner, {.window = m.window, .number = SkinEntryNumber(m.window), .kind = HoverKind::Combo}))
    Paint(m.window, true);
}

void OnMouseLeave(const SkinMessage& m) {
  Paint(m.window, false);
  if (SkinWindowRecord* owner = SkinOwnerRecord(m.window)) SkinHoverLeave(*owner);
}

// The box whose WM_PAINT is under way: its BeginPaint sends WM_NCPAINT, and
// the picture that WM_PAINT draws right after covers the frame as well.
HWND boxInPaint = nullptr;

LRESULT OnPaint(const SkinMessage& m) {
  const HWND outer = std::exchange(boxInPaint, m.window);
  platform::PaintScope validate(m.window);
  boxInPaint = outer;
  Paint(m.window);
  return 0;
}

void OnSetFocus(const SkinMessage& m) {
  if (SkinComboEntry* entry = SkinComboEntryOf(m.window)) entry->focused = true;
  Paint(m.window, std::nullopt, true);
}

LRESULT OnKillFocus(const SkinMessage& m) {
  if (SkinComboEntry* entry = SkinComboEntryOf(m.window)) entry->focused = false;
  if (HasInnerEdit(m.window)) return m.Forward();
  m.Forward();
  Paint(m.window);
  return 0;
}

// The text goes to the control first; its answer (CB_ERR when a drop-down
// list has no such item) is the caller's.
LRESULT OnSetText(const SkinMessage& m) {
  const LRESULT result = m.Forward();
  if (HasInnerEdit(m.window)) InvalidateRect(m.window, nullptr, TRUE);
  Paint(m.window);
  return result;
}

LRESULT OnControlColour(const SkinMessage& m) {
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  return reinterpret_cast<LRESULT>(
      SkinChildColourBrush(reinterpret_cast<HDC>(m.wParam), reinterpret_cast<HWND>(m.lParam), false));
}

LRESULT OnCommand(const SkinMessage& m) {
  auto sender = reinterpret_cast<HWND>(m.lParam);
  if (SkinEngine.options.SkinTransparentMode && SkinEngine.options.SkinEnabled &&
      SkinGetClassNameText(sender) == "Edit") {
    switch (HIWORD(m.wParam)) {
      case EN_VSCROLL:
      case EN_HSCROLL:
      case EN_CHANGE:
      case EN_UPDATE: InvalidateRect(sender, nullptr, TRUE); break;
      default: break;
    }
  }
  return m.Forward();
}

LRESULT OnNcPaint(const SkinMessage& m) {
  if (m.window != boxInPaint) Paint(m.window);
  return DefWindowProcW(m.window, WM_NCPAINT, WPARAM(-1), m.lParam);
}

LRESULT OnResetContent(const SkinMessage& m) {
  m.Forward();
  Paint(m.window);
  return 0;
}

// A selection set by code: the control draws the new item's text itself,
// straight onto the screen and with no paint message to follow, so the skin's
// picture goes over it at once, as after a choice of the user's. The answer
// (the index, or CB_ERR) is the caller's.
LRESULT OnSelectionSet(const SkinMessage& m) {
  const LRESULT result = m.Forward();
  Paint(m.window);
  return result;
}

}  // namespace

LRESULT CALLBACK ComboSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const SkinMessage m{control, message, wParam, lParam};
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(m); break;
    case WM_MOUSELEAVE:        OnMouseLeave(m); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(control); break;
    case WM_MOVE:              Paint(control); break;
    case WM_ERASEBKGND:        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
    case WM_PAINT:             return OnPaint(m);
    case WM_SETFOCUS:          OnSetFocus(m); break;
    case WM_KILLFOCUS:         return OnKillFocus(m);
    case WM_SETTEXT:           return OnSetText(m);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:    return OnControlColour(m);
    case WM_COMMAND:           return OnCommand(m);
    case WM_NCPAINT:           return OnNcPaint(m);
    case CB_RESETCONTENT:      return OnResetContent(m);
    case CB_SETCURSEL:
    case CB_SELECTSTRING:      return OnSelectionSet(m);
    default:                   break;
  }
  return m.Forward();
}

}  // namespace korvath::skin
