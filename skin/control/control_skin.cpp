// The control layer: the attach calls and the procedure that lets a control
// paint itself over its parent's skinned background.
#include "skin/control/control_skin.h"

#include <commctrl.h>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/control/container_skin.h"
#include "skin/control/control_installers.h"
#include "skin/control/entry_lookup.h"
#include "skin/control/toolbar_paint.h"
#include "skin/core/child_layer.h"
#include "skin/core/chevron_images.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_state.h"
#include "skin/core/parent_background.h"
#include "skin/core/picture_cache.h"
#include "skin/core/shape_drawing.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kFrameModeKey = 0xFFFFFF;
constexpr int32_t kFrameModeFramed = 1;

SkinToolbarEntry* ToolbarEntryOf(HWND window) {
  return SkinFindEntry(window, &SkinWindowRecord::Toolbars, true).entry;
}

LRESULT Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = GetSkinPropHandle<WNDPROC>(window, prop::Kj_hProc);
  return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                  : DefWindowProcW(window, message, wParam, lParam);
}

bool IsClass(HWND window, const char* name) { return SkinGetClassNameText(window) == name; }
bool IsToolbar(HWND window) { return IsClass(window, "ToolbarWindow32"); }

struct AttachSettings {
  std::optional<COLORREF> keyColour;
  std::optional<COLORREF> fillColour;
  std::optional<int32_t> fillAlpha;
  std::optional<int32_t> frameMode;
  bool toolbar = false;
};

// The entry, the subclassing and the properties; then, for a control with
// children, its registration as a container (which subclasses it again).
void Attach(HWND window, const AttachSettings& settings) {
  const int32_t owner = SkinTopSkinnedAncestor(window);
  if (owner <= 0 || SkinIsSubclassed(window)) return;
  SkinWindowRecord* record = SkinRecordAt(owner);
  const int32_t number = SkinTakeEntrySlot(record->Toolbars);
  const SkinFontInfo font = SkinControlFontMetrics(window);
  SkinToolbarEntry& entry = record->Toolbars[size_t(number) - 1];
  entry = SkinToolbarEntry{};
  entry.window = window;
  entry.keyColor = settings.keyColour.value_or(GetSysColor(COLOR_BTNFACE));
  entry.fontFace = font.face.empty() ? kDefaultFontFace : font.face;
  entry.fontSize = font.size == 0 ? kDefaultFontSize : font.size;
  entry.fontStyle = font.style;
  entry.repaint = settings.toolbar && IsToolbar(window);
  entry.frameMode = settings.frameMode.value_or(0);

  const LONG_PTR previous = GetWindowLongPtrW(window, GWLP_WNDPROC);
  SetSkinProp(window, prop::Kj_lbID, number);
  SetSkinProp(window, prop::Kj_FuID, owner);
  SetSkinProp(window, prop::Kj_hProc, previous);
  entry.previousProc = reinterpret_cast<WNDPROC>(previous);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlSkinWndProc));

  if (!FindWindowExW(window, nullptr, nullptr, nullptr)) return;
  // An absent fill arrives as colour 0 (no tint) and alpha 0.
  const COLORREF colour = settings.fillColour.value_or(0);
  const int32_t alpha = settings.fillAlpha.value_or(0);
  if (settings.toolbar) {
    ContainerSkinAttach(window, false, colour, alpha, std::nullopt);
  } else {
    ContainerControlRegister(window, false, colour, alpha, std::nullopt);
  }
}

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
  if (!SkinTransparentMode) return Forward(window, WM_ERASEBKGND, wParam, lParam);
  SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (entry && IsToolbar(window) && !entry->repaint) entry->repaint = SkinFindParentSkin(window, true);
  SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
  return 1;
}

// A toolbar is drawn by the skin when it changed, else restored from the
// child layer; its own procedure never sees the WM_PAINT.
LRESULT PaintToolbar(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  const SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (!entry || entry->repaint) {
    ToolbarSkinPaint(window);
  } else {
    SkinReleaseDC(window, dc);
  }
  EndPaint(window, &paint);
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
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  const LRESULT result = Forward(window, WM_PAINT, reinterpret_cast<WPARAM>(own.get()), lParam);
  SkinMemoryDc washed = SkinFillControlBackground(window);
  const SkinToolbarEntry* entry = ToolbarEntryOf(window);
  if (own && washed) {
    if (entry && entry->frameMode == kFrameModeFramed) SkinControlAreaPaint(window, own.get());
    TransparentBlt(washed.get(), 0, 0, width, height, own.get(), 0, 0, width, height, KeyOf(entry));
    BitBlt(dc, 0, 0, width, height, washed.get(), 0, 0, SRCCOPY);
    SkinPaintChildBackground(window, washed.get(), true);
  }
  EndPaint(window, &paint);
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
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  return result;
}

bool PaintsIntoGivenDc(HWND window) {
  const std::string name = SkinGetClassNameText(window);
  return name == "SysMonthCal32" || name == "SysTabControl32" || name == "msctls_statusbar32" ||
         name == "Button" || name == "msctls_trackbar32";
}

LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!SkinEnabled) return Forward(window, WM_PAINT, wParam, lParam);
  if (IsToolbar(window)) return PaintToolbar(window);
  if (PaintsIntoGivenDc(window)) return PaintIntoMemoryDc(window, lParam);
  return PaintOverUpdateRect(window, lParam);
}

}  // namespace

void ToolbarSkinInstall(int32_t, HWND parent) {
  for (HWND toolbar = FindWindowExW(parent, nullptr, TOOLBARCLASSNAMEW, nullptr); toolbar;
       toolbar = FindWindowExW(parent, toolbar, TOOLBARCLASSNAMEW, nullptr)) {
    if (SkinIsSubclassed(toolbar)) continue;
    SetSkinProp(toolbar, prop::Kj_wtjb, SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ToolbarSkinAttach(toolbar);
  }
}

void ContainerControlSkinAttach(HWND window, std::optional<COLORREF> keyColour,
                                std::optional<COLORREF> fillColour, std::optional<int32_t> fillAlpha) {
  Attach(window, {.keyColour = keyColour, .fillColour = fillColour, .fillAlpha = fillAlpha});
}

void ContainerControlRegister(HWND window, std::optional<bool> framed,
                              std::optional<COLORREF> backgroundColour,
                              std::optional<int32_t> backgroundAlpha, std::optional<bool> outline) {
  const int32_t owner = SkinTopSkinnedAncestor(window);
  if (SkinFindContainerEntry(owner, window) > 0) return;
  ContainerSkinAttach(window, framed.value_or(true), backgroundColour,
                      backgroundAlpha ? (*backgroundAlpha & 0xFF) : 255, outline.value_or(false));
}

void ToolbarSkinAttach(HWND window, std::optional<COLORREF> keyColour, std::optional<COLORREF> fillColour,
                       std::optional<int32_t> fillAlpha, std::optional<int32_t> frameMode) {
  Attach(window, {.keyColour = keyColour,
                  .fillColour = fillColour,
                  .fillAlpha = fillAlpha,
                  .frameMode = frameMode,
                  .toolbar = true});
}

LRESULT CALLBACK ControlSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(window); break;
    case WM_LBUTTONDOWN:       SetRepaint(window); break;
    case WM_MOUSELEAVE:        OnMouseLeave(window); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    case WM_MOVE:              if (SkinTransparentMode) InvalidateRect(window, nullptr, FALSE); break;
    case WM_ERASEBKGND:        return OnEraseBackground(window, wParam, lParam);
    case WM_SIZE:              if (IsToolbar(window)) SetRepaint(window); break;
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
  return record->Sizing ? record->Moving : record->Active;
}

void SkinReleaseDC(HWND window, HDC dc) { SkinRefreshWindow(window, true, false, dc); }

void SkinControlAreaPaint(HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  const float l = float(client.left), t = float(client.top);
  const float w = float(client.right - client.left), h = float(client.bottom - client.top);
  // The band is filled through GDI: white that GDI+ writes carries an
  // alpha byte, and Wine's TransparentBlt then no longer sees the key in it.
  {
    const platform::GdiRegion band(CreateRectRgnIndirect(&client));
    const platform::GdiRegion inside(
        CreateRectRgn(client.left + 3, client.top + 3, client.right - 3, client.bottom - 3));
    CombineRgn(band.get(), band.get(), inside.get(), RGN_XOR);
    FillRgn(dc, band.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  gdip::Graphics g;
  if (!SkinGraphicsOnDC(g, dc)) return;
  g.SetClipRect(l, t, w, h, Gdiplus::CombineModeReplace);
  g.SetClipRect(l + 3, t + 3, w - 6, h - 6, Gdiplus::CombineModeXor);
  SkinStroke(g, gdip::Argb(SkinArgbFromColorRef(0, 120)), 1.0f, l, t, w - 1, h - 1);
  SkinStroke(g, gdip::Argb(SkinArgbFromColorRef(0, 10)), 1.0f, l + 1, t + 1, w - 3, h - 3);
  g.ResetClip();
  SkinFillSolid(g, gdip::Argb(SkinArgbFromColorRef(0xFF8800, 80)), w - 20, t + 3, 17, h - 7);
  SkinStroke(g, gdip::Argb(SkinArgbFromColorRef(0, 100)), 1.0f, w - 20, t + 3, 17, h - 7);
  gdip::Bitmap chevron;
  if (SkinLoadCachedPicture(chevron, ChevronDownImage())) {
    g.DrawImageRect(chevron, w - 15, t + (h - 11) / 2 + 3, float(chevron.GetWidth()),
                    float(chevron.GetHeight()));
  }
}

}  // namespace korvath::skin
