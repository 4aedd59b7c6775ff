#include "skin/close_effect/layered_painting.h"

#include <algorithm>

#include "gdip/bitmap.h"
#include "platform/gdi_object.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/alpha_blend.h"
#include "skin/draw/memory_dc.h"

namespace korvath::skin {

namespace {

constexpr uint32_t kColorKeyPixel = 0x00FF00FF;  // magenta as a DIB pixel (BGRA)

// The entry of `window` in the companion list, or null.
CompanionWindowEntry* CompanionOf(HWND window) {
  return SkinEntryAt(SkinEngine.lists.CompanionWindowList, int32_t(GetSkinProp(window, prop::Fc_lbID)));
}

RECT ClampTo(RECT r, const RECT& bounds) {
  return RECT{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
              std::min(r.bottom, bounds.bottom)};
}

}  // namespace

void SkinClearLayeredStyle(HWND window) {
  const LONG ex = GetWindowLongW(window, GWL_EXSTYLE);
  if (ex & WS_EX_LAYERED) SetWindowLongW(window, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
}

HDC SkinCreateMemoryDCGdip(int32_t width, int32_t height, std::span<const uint8_t> image) {
  gdip::Bitmap bitmap;
  const bool made = image.empty() ? bitmap.CreateWithFormat(width, height) : bitmap.FromStream(image);
  platform::GdiBitmap handle = made ? bitmap.GetHBITMAP(0) : platform::GdiBitmap();
  bitmap.Dispose();
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  if (!dc) return nullptr;
  HGDIOBJ previous = handle ? SelectObject(dc.get(), handle.get()) : nullptr;
  return SkinMemoryDcRegister(std::move(dc), std::move(handle), previous);
}

HDC SkinWindowSnapshot(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  HDC snapshot = SkinCreateMemoryDC(RECT{0, 0, width, height});
  {
    platform::WindowDC source = platform::WindowDC::Whole(window);
    BitBlt(snapshot, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  // GDI leaves the alpha bytes at 0; a layered update would show nothing.
  DIBSECTION dib{};
  if (GetObjectW(GetCurrentObject(snapshot, OBJ_BITMAP), sizeof(dib), &dib) == sizeof(dib) &&
      dib.dsBm.bmBits) {
    auto* pixel = static_cast<uint32_t*>(dib.dsBm.bmBits);
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) {
      pixel[i] = (pixel[i] & 0x00FFFFFF) == kColorKeyPixel ? 0 : (pixel[i] | 0xFF000000);
    }
  }
  return snapshot;
}

HDC SkinComposeLayers(HWND window, HDC source, int32_t alpha) {
  RECT r{};
  GetWindowRect(window, &r);
  OffsetRect(&r, -r.left, -r.top);
  const int32_t w = r.right;
  const int32_t h = r.bottom;
  HDC background = GetSkinPropHandle<HDC>(window, prop::Fcsx_bjcj);
  HDC foreground = GetSkinPropHandle<HDC>(window, prop::Fcsx_gycj);
  HDC dc = SkinCreateMemoryDC(r);
  if (source) SkinAlphaBlend(dc, 0, 0, w, h, source, 0, 0, w, h, 255);
  SkinAlphaBlend(dc, 0, 0, w, h, background, 0, 0, w, h, alpha);
  if (CompanionWindowEntry* entry = CompanionOf(window)) {
    for (size_t j = 0; j < entry->LayerItems.size(); ++j) {
      const CompanionItem& item = entry->LayerItems[j];
      if (!item.LayerDC) continue;
      const RECT q = ClampTo(item.ItemBounds, r);
      SkinAlphaBlend(dc, q.left, q.top, q.right - q.left, q.bottom - q.top, item.LayerDC, 0, 0,
                     q.right - q.left, q.bottom - q.top, 255);
      if (item.ParentItem > 0) {
        ExcludeClipRect(dc, q.left, q.top, q.right, q.bottom);
        SkinClipRegion(window, static_cast<int32_t>(j + 1), dc);
      }
    }
  }
  SkinAlphaBlend(dc, 0, 0, w, h, foreground, 0, 0, w, h, 255);
  SelectClipRgn(dc, nullptr);
  return dc;
}

void SkinClipRegion(HWND window, int32_t item, HDC dc) {
  CompanionWindowEntry* entry = CompanionOf(window);
  if (!entry || item < 1 || size_t(item) > entry->LayerItems.size()) return;
  const RECT p = entry->LayerItems[size_t(item) - 1].ItemBounds;
  for (const CompanionItem& child : entry->LayerItems) {
    if (!child.ItemShown || child.ItemWindow != 0 || child.ParentItem != item) continue;
    const RECT q = ClampTo(child.ItemBounds, p);
    platform::GdiRegion region(CreateRectRgn(q.left, q.top, q.right, q.bottom));
    ExtSelectClipRgn(dc, region.get(), RGN_XOR);
  }
}

}  // namespace korvath::skin
