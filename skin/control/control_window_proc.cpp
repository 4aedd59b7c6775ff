// The control layer's procedure: it lets a control paint itself over its
// parent's skinned background.
#include "skin/control/control_skin.h"

#include <commctrl.h>

#include "platform/gdi_object.h"
#include "skin/core/entry_lookup.h"
#include "skin/control/toolbar_paint.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_state.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kFrameModeKey = 0xFFFFFF;
constexpr int32_t kFrameModeFramed = 1;

SkinToolbarEntry* ToolbarEntryOf(HWND window) {
  return SkinFindEntry(window, &SkinWindowRecord::Toolbars, kControlLayerSlot).get();
}

LRESULT Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinForward(window, message, wParam, lParam, kControlLayerSlot);
}

bool IsClass(HWND window, const char* name) { return SkinGetClassNameText(window) == name; }

void OnMouseMove(HWND window) {
  SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (!entry) return;
  entry->repaint = true;
  if (entry->mouseTracking) return;
  entry->mouseTracking = true;
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

void OnMouseLeave(HWND window) {
  SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (!entry) return;
  entry->mouseTracking = false;
  entry->repaint = true;
}

void SetRepaint(HWND window) {
  if (SkinToolbarEntry* entry = ToolbarEntryOf(window)) entry->repaint = true;
}

LRESULT OnEraseBackground(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!SkinEngine.options.SkinTransparentMode) return Forward(window, WM_ERASEBKGND, wParam, lParam);
  SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (entry && SkinIsToolbar(window) && !entry->repaint) entry->repaint = SkinFindParentSkin(window, true);
  SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
  return 1;
}

// A toolbar is drawn by the skin when it changed, else restored from the
// child layer; its own procedure never sees the WM_PAINT.
LRESULT PaintToolbar(HWND window) {
  platform::PaintScope paint(window);
  const SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (!entry || entry->repaint) {
    ToolbarSkinPaint(window);
  } else {
    SkinReleaseDC(window, paint.dc());
  }
  return 0;
}

COLORREF KeyOf(const SkinToolbarEntry* entry) {
  if (!entry) return GetSysColor(COLOR_BTNFACE);
  return entry->frameMode == kFrameModeFramed ? kFrameModeKey : entry->keyColor;
}

// Controls that paint into the DC they are given: into one that holds the
// parent background, keyed over the washed background.
LRESULT PaintIntoMemoryDc(HWND window, LPARAM lParam) {
  RECT client = {};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  SkinMemoryDc own = SkinPaintParentBackground(window, client);
  platform::PaintScope paint(window);
  const HDC dc = paint.dc();
  const LRESULT result = Forward(window, WM_PAINT, reinterpret_cast<WPARAM>(own.get()), lParam);
  SkinMemoryDc washed = SkinFillControlBackground(window);
  const SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (own && washed) {
    if (entry && entry->frameMode == kFrameModeFramed) SkinControlAreaPaint(window, own.get());
    TransparentBlt(washed.get(), 0, 0, width, height, own.get(), 0, 0, width, height, KeyOf(entry));
    BitBlt(dc, 0, 0, width, height, washed.get(), 0, 0, SRCCOPY);
    SkinPaintChildBackground(window, washed.get(), true);
  }
  return result;
}

// Controls that paint on their own window: their pixels taken from it and
// laid over the parent background.
LRESULT PaintOverUpdateRect(HWND window, LPARAM lParam) {
  platform::WindowDC screen = platform::WindowDC::Client(window);
  RECT update = {};
  GetUpdateRect(window, &update, FALSE);
  const int width = update.right - update.left, height = update.bottom - update.top;
  SkinMemoryDc under = SkinPaintParentBackground(window, update);
  const LRESULT result = Forward(window, WM_PAINT, reinterpret_cast<WPARAM>(under.get()), lParam);
  if (under && width > 0 && height > 0) {
    TransparentBlt(under.get(), 0, 0, width, height, screen.get(), update.left, update.top, width, height,
                   KeyOf(ToolbarEntryOf(window)));
    BitBlt(screen.get(), update.left, update.top, width, height, under.get(), 0, 0, SRCCOPY);
    SkinInvalidateVisibleChildren(window);
    SkinPaintChildBackground(window, under.get(), true);
  }
  { platform::PaintScope validate(window); }
  return result;
}

bool PaintsIntoGivenDc(HWND window) {
  const std::string name = SkinGetClassNameText(window);
  return name == "SysMonthCal32" || name == "SysTabControl32" || name == "msctls_statusbar32" ||
         name == "Button" || name == "msctls_trackbar32";
}

LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!SkinEngine.options.SkinEnabled) return Forward(window, WM_PAINT, wParam, lParam);
  if (SkinIsToolbar(window)) return PaintToolbar(window);
  if (PaintsIntoGivenDc(window)) return PaintIntoMemoryDc(window, lParam);
  return PaintOverUpdateRect(window, lParam);
}

}  // namespace

bool SkinIsToolbar(HWND window) { return IsClass(window, "ToolbarWindow32"); }

LRESULT CALLBACK ControlSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(window); break;
    case WM_LBUTTONDOWN:       SetRepaint(window); break;
    case WM_MOUSELEAVE:        OnMouseLeave(window); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    case WM_MOVE:              if (SkinEngine.options.SkinTransparentMode) InvalidateRect(window, nullptr, FALSE); break;
    case WM_ERASEBKGND:        return OnEraseBackground(window, wParam, lParam);
    case WM_SIZE:              if (SkinIsToolbar(window)) SetRepaint(window); break;
    case WM_PAINT:             return OnPaint(window, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:           if (IsClass(window, "RichEdit20A")) InvalidateRect(window, nullptr, FALSE); break;
    default:                   break;
  }
  return Forward(window, message, wParam, lParam);
}

bool SkinFindParentSkin(HWND window, bool controlLayer) {
  const SkinWindowRecord* record =
      SkinRecordAt(int32_t(GetSkinProp(window, controlLayer ? prop::Kj_FuID : prop::Hw_FuID)));
  if (!record) return false;
  return SkinFindParentSkin(*record);
}

bool SkinFindParentSkin(const SkinWindowRecord& owner) { return owner.Sizing ? owner.Moving : owner.Active; }

void SkinReleaseDC(HWND window, HDC dc) { SkinRefreshWindow(window, true, false, dc); }

}  // namespace korvath::skin
