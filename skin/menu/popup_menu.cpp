#include "skin/menu/popup_menu.h"

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"
#include "platform/gdi_object.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/error_policy.h"
#include "skin/core/skin_message.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/draw/border_geometry.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/skin_graphics.h"
#include "skin/draw/window_region.h"
#include "skin/menu/menu_items.h"

namespace korvath::skin {

namespace {
constexpr UINT kSeparatorHeight = 12;
}  // namespace

void MenuSkinHookInstall() {
  // One hook at a time: the owner removes a pending one as it takes the new.
  SkinEngine.forms.MenuWinEventHook =
      platform::WinEventHook(SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPSTART, nullptr,
                                             &MenuSkinWinEventProc, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT));
}

void CALLBACK MenuSkinWinEventProc(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
  SkinAtCallbackEdge([&] {
    if (event == EVENT_SYSTEM_MENUPOPUPSTART && SkinGetClassNameText(window) == "#32768") MenuSkinAttach(window);
  });
  SkinEngine.forms.MenuWinEventHook.Reset();
}

void MenuSkinAttach(HWND menu) {
  RECT at{};
  GetWindowRect(menu, &at);
  OffsetRect(&at, -at.left, -at.top);
  SkinSetRoundedRegion(menu, at.right, at.bottom, 4);
  (void)SkinSubclass(menu, {.procedure = &MenuSkinWndProc});
  MenuSkinPaintFrame(menu);
}

bool SkinGetWindowStyleBit(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

void MenuSkinPaintFrame(HWND menu) {
  RECT at{};
  GetWindowRect(menu, &at);
  const int w = at.right - at.left, h = at.bottom - at.top;
  const RECT client = SkinScrollBarGeometry(menu);
  SkinMemoryDc surface = SkinMemoryDc::Create(w, h);
  if (gdip::Graphics graphics; SkinGraphicsOnDC(graphics, surface.get())) {
    if (gdip::SolidBrush base; base.Create(SkinArgbFromColorRef(SkinEngine.options.SkinBackgroundColor, 255)))
      graphics.FillRectangle(base, 0, 0, float(w), float(h));
    if (gdip::LinearGradientBrush wash;
        wash.CreateFromPoints(MakePointF(0, 0), MakePointF(float(w), 0), SkinArgbFromColorRef(kWhite, 230),
                              SkinArgbFromColorRef(kWhite, 230)))
      graphics.FillRectangle(wash, 0, 0, float(w), float(h));
    if (gdip::GraphicsPath path; path.Create()) {
      SkinPathAddRoundRect(path, 0, 0, float(w - 1), float(h - 1), 5);
      if (gdip::Pen dark; dark.CreateFromColor(SkinArgbFromColorRef(kBlack, 150), 1.0f)) graphics.DrawPath(dark, path);
      if (gdip::Pen tint; tint.CreateFromColor(SkinArgbFromColorRef(SkinEngine.options.SkinThemeColor, 60), 1.0f))
        graphics.DrawPath(tint, path);
    }
  }
  platform::WindowDC dc = platform::WindowDC::Whole(menu);
  ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
  BitBlt(dc.get(), 0, 0, w, h, surface.get(), 0, 0, SRCCOPY);
}

namespace {

// The skin's part of a message to MenuSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  if (m.message == WM_NCPAINT) {
    MenuSkinPaintFrame(m.window);
    return 0;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK MenuSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

void MenuSkinMeasureItem(HWND, MEASUREITEMSTRUCT& item) {
  const auto data = static_cast<uint32_t>(item.itemData);
  const int32_t itemNumber = int16_t(data & 0xFFFF);
  const int32_t menuNumber = int16_t(data >> 16);
  if (menuNumber < 1 || size_t(menuNumber) > SkinEngine.lists.MenuItemList.size()) return;
  const MenuSkinEntry& menu = SkinEngine.lists.MenuItemList[size_t(menuNumber) - 1];
  // An item number outside the menu's items names nothing to measure.
  if (itemNumber < 1 || size_t(itemNumber) > menu.items.size()) return;
  item.itemWidth = UINT(menu.itemWidth);
  item.itemHeight = menu.items[size_t(itemNumber) - 1].separator ? kSeparatorHeight : UINT(menu.itemHeight);
}

}  // namespace korvath::skin
