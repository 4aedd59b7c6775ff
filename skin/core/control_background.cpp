#include "skin/core/control_background.h"

#include <utility>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "platform/message_params.h"
#include "platform/window_subclass.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/error_policy.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/bitmap_copy_region.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/frame_geometry.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr int32_t kOutsideWash = 30;

void FillArea(HDC dc, int width, int height, gdip::Argb colour) {
  gdip::Graphics graphics;
  gdip::SolidBrush brush;
  if (!SkinGraphicsOnDC(graphics, dc) || !brush.Create(colour)) return;
  graphics.FillRectangle(brush, 0, 0, static_cast<float>(width), static_cast<float>(height));
}

// The client area's size and its tinted background.
struct TintedBackground {
  SkinMemoryDc dc;
  int width = 0;
  int height = 0;
};

// What lies beneath the window's client area, tinted.
TintedBackground PaintTinted(const SkinWindowRecord& owner, HWND window,
                             std::optional<int32_t> defaultAlpha = std::nullopt) {
  const RECT frame = SkinGetFrameGeometry(window);
  TintedBackground result{SkinPaintParentBackground(owner, window, frame), frame.right - frame.left,
                          frame.bottom - frame.top};
  if (result.dc) {
    const SkinTint tint = SkinControlTint(window, defaultAlpha);
    FillArea(result.dc.get(), result.width, result.height, SkinArgbFromColorRef(tint.colour, tint.alpha));
  }
  return result;
}

// A window in no skinned window: its whole window rectangle in opaque white
// under the engine's background colour at a low alpha.
platform::GdiBitmap WashedOutside(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  gdip::Bitmap bitmap;
  if (!bitmap.CreateWithFormat(r.right - r.left, r.bottom - r.top)) return {};
  {
    gdip::Graphics graphics;
    gdip::SolidBrush wash;
    if (SkinGraphicsOnImage(graphics, bitmap) &&
        wash.Create(SkinArgbFromColorRef(SkinEngine.options.SkinBackgroundColor, kOutsideWash))) {
      graphics.Clear(SkinArgbFromColorRef(kWhite, 255));
      graphics.FillRectangle(wash, 0, 0, static_cast<float>(bitmap.GetWidth()),
                             static_cast<float>(bitmap.GetHeight()));
    }
  }
  return platform::GdiBitmap(bitmap.GetHBITMAP());
}

constexpr UINT_PTR kBrushKeeper = 0x4B6A;  // 'Kj'

// Frees a control's kept brush when the control moves or resizes: the
// background behind it is another then. (Its end frees it too, as every
// control's brush.)
LRESULT CALLBACK KeepBrushProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR id, DWORD_PTR) {
  if (message == WM_WINDOWPOSCHANGED) {
    const auto* pos = platform::FromParam<const WINDOWPOS*>(lParam);
    if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
      SkinAtCallbackEdge([control] { SkinDeleteControlBrush(control); });
    }
  } else if (message == WM_NCDESTROY) {
    platform::RemoveSubclass(control, KeepBrushProc, id);
  }
  return platform::CallNextSubclass(control, message, wParam, lParam);
}

// The kept brush, or one made of `bitmapOf()` and kept.
template <class MakeBitmap>
HBRUSH KeptBrush(HWND control, MakeBitmap bitmapOf) {
  if (const auto kept = GetSkinPropHandle<HBRUSH>(control, prop::Kj_dxjb)) return kept;
  platform::GdiBitmap bitmap = bitmapOf();
  platform::GdiBrush brush(CreatePatternBrush(bitmap.get()));
  const HBRUSH handed = brush.get();
  SkinReplaceControlBrush(control, std::move(brush), std::move(bitmap));
  platform::SetSubclass(control, KeepBrushProc, kBrushKeeper, 0);
  return handed;
}

}  // namespace

SkinTint SkinControlTint(HWND window, std::optional<int32_t> defaultAlpha) {
  if (GetSkinProp(window, prop::Zqk_Szqk) == 1) {
    return {static_cast<COLORREF>(GetSkinProp(window, prop::Zqk_bjs)),
            static_cast<int32_t>(GetSkinProp(window, prop::Zqk_bjstmd))};
  }
  const auto colour = static_cast<COLORREF>(GetSkinProp(window, prop::Kj_bjys));
  const auto alpha = static_cast<int32_t>(GetSkinProp(window, prop::Kj_bjystmd));
  if (colour == 0 && alpha == 0) return {kWhite, defaultAlpha.value_or(SkinEngine.options.SkinAlpha)};
  return {colour, alpha};
}

HBRUSH SkinControlBackgroundBrush(const SkinWindowRecord& owner, HWND control) {
  return KeptBrush(control, [&] { return SkinMakeBackgroundBitmap(owner, control); });
}

HBRUSH SkinControlBackgroundBrush(HWND control) {
  return KeptBrush(control, [&] { return SkinMakeBackgroundBitmap(control); });
}

platform::GdiBitmap SkinMakeBackgroundBitmap(const SkinWindowRecord& owner, HWND window) {
  TintedBackground background = PaintTinted(owner, window);
  return BitmapCopyRegion(std::move(background.dc), background.width, background.height);
}

platform::GdiBitmap SkinMakeBackgroundBitmap(HWND window) {
  const SkinWindowRecord* top = SkinTopSkinnedRecord(window);
  return top ? SkinMakeBackgroundBitmap(*top, window) : WashedOutside(window);
}

SkinMemoryDc SkinFillControlBackground(const SkinWindowRecord& owner, HWND window,
                                       std::optional<int32_t> defaultAlpha) {
  return PaintTinted(owner, window, defaultAlpha).dc;
}

void SkinReplaceColourKey(HDC dc, COLORREF key, COLORREF fill, int width, int height) {
  SkinMemoryDc scratch = SkinMemoryDc::Create(width, height);
  if (gdip::Graphics graphics; SkinGraphicsOnDC(graphics, scratch.get()))
    graphics.Clear(SkinArgbFromColorRef(fill, 255));
  TransparentBlt(scratch.get(), 0, 0, width, height, dc, 0, 0, width, height, key);
  BitBlt(dc, 0, 0, width, height, scratch.get(), 0, 0, SRCCOPY);
}

}  // namespace korvath::skin
