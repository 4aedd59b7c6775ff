#include "skin/menu/menu_items.h"

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/image.h"
#include "skin/button/image_recolor.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_list.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr float kStripWidth = 20.0f;
constexpr float kTextLeft = 22.0f;


// The item's menu entry and description, both by their 1-based numbers in
// the item data (each half signed).
struct Description {
  const MenuSkinEntry* menu = nullptr;
  const MenuSkinItemEntry* item = nullptr;
};

Description Describe(const DRAWITEMSTRUCT& item) {
  const auto data = static_cast<int32_t>(item.itemData);
  const int32_t menuNumber = static_cast<int16_t>(HiWord(data));
  const int32_t itemNumber = static_cast<int16_t>(LoWord(data));
  const MenuSkinEntry* menu = SkinEntryAt(SkinEngine.lists.MenuItemList, menuNumber);
  const MenuSkinItemEntry* entry = menu ? SkinEntryAt(menu->items, itemNumber) : nullptr;
  if (!entry) return {};
  return {menu, entry};
}

COLORREF Tint(const MenuSkinEntry& menu) {
  return menu.colour.value_or(SkinEngine.options.SkinThemeColor);
}

void DrawPicture(gdip::Graphics& graphics, const ByteSet& bytes, float x, float y, float size) {
  if (bytes.empty()) return;
  gdip::Bitmap picture;
  if (picture.FromStream(bytes)) graphics.DrawImageRect(picture, x, y, size, size);
}

void DrawHighlight(gdip::Graphics& graphics, float width, float height, COLORREF tint) {
  gdip::GraphicsPath path;
  if (!path.Create()) return;
  SkinPathAddRoundRect(path, 0, 0, width - 2, height - 1, 1);
  const gdip::PointF top{0, 0};
  const gdip::PointF bottom{0, height};
  SkinFillGradient(graphics, top, bottom, SkinArgbFromColorRef(tint, 50), SkinArgbFromColorRef(kWhite, 100), path);
  SkinFillGradient(graphics, top, bottom, SkinArgbFromColorRef(kWhite, 100), SkinArgbFromColorRef(tint, 50), path);
  SkinStroke(graphics, SkinArgbFromColorRef(kBlack, 90), path);
}

void DrawCaption(gdip::Graphics& graphics, const MenuSkinItemEntry& description, UINT itemState,
                 float width, float height) {
  const COLORREF colour = (itemState & ODS_DISABLED) ? kGrey : description.textColor;
  DrawPlainCaption(graphics, description.text,
                   {.face = description.face,
                    .size = static_cast<float>(description.size),
                    .style = description.style,
                    .lineAlign = Gdiplus::StringAlignmentCenter},
                   SkinArgbFromColorRef(colour, 255), gdip::RectF{kTextLeft, 2, width - kTextLeft, height});
}

// The DC the item's background is taken from, and whether it is a companion
// window's layer (which has no caption above the menu's place).
struct BackgroundSource {
  HDC dc = nullptr;
  bool companion = false;
  int32_t captionHeight = 0;
};

// A window with a companion takes the companion's layer; `record` is the
// window's own (null: none).
BackgroundSource SourceFor(HWND window, const SkinWindowRecord* record) {
  if (GetSkinProp(window, prop::CK_Fcck) == 1) {
    return {GetSkinPropHandle<HDC>(window, prop::Fcsx_bjcj), true, 0};
  }
  if (!record) return {};
  return {record->BackDC.get(), false, record->CaptionHeight};
}

// The item's picture onto its DC; `sourceOf()` gives the background, asked
// only when the theme has a picture.
template <class Source>
void PaintItem(const DRAWITEMSTRUCT& item, Source sourceOf) {
  const Description described = Describe(item);
  if (!described.menu) return;
  const RECT& r = item.rcItem;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  SkinMemoryDc dc = SkinMemoryDc::Create(width, height);
  if (gdip::Graphics graphics; SkinGraphicsOnDC(graphics, dc.get())) {
    if (!SkinEngine.options.SkinBackgroundImage.empty()) {
      const BackgroundSource source = sourceOf();
      const int sourceTop = r.top + (source.companion ? 0 : source.captionHeight);
      BitBlt(dc.get(), 0, 0, width, height, source.dc, r.left, sourceTop, SRCCOPY);
      SkinFillSolid(graphics, SkinArgbFromColorRef(SkinEngine.options.SkinBackgroundColor, 150), 0, 0, w, h);
    } else {
      SkinFillSolid(graphics, SkinArgbFromColorRef(SkinEngine.options.SkinBackgroundColor, 255), 0, 0, w, h);
    }
    SkinFillSolid(graphics, SkinArgbFromColorRef(kWhite, 230), 0, 0, w, h);

    gdip::GraphicsPath strip;
    if (strip.Create()) {
      strip.AddRectangle(0, 0, kStripWidth, h);
      SkinFillSolid(graphics, SkinArgbFromColorRef(Tint(*described.menu), 60), strip);
      SkinFillGradient(graphics, gdip::PointF{0, 0}, gdip::PointF{kStripWidth, 0}, SkinArgbFromColorRef(kWhite, 60),
                       SkinArgbFromColorRef(kWhite, 50), strip);
    }
  }
  MenuSkinItemTextAndIcon(item, dc.get());
  BitBlt(item.hDC, r.left, r.top, width, height, dc.get(), 0, 0, SRCCOPY);
}

}  // namespace

int32_t MenuSkinItemFind(HMENU menu) {
  for (size_t i = 0; i < SkinEngine.lists.MenuItemList.size(); ++i) {
    if (SkinEngine.lists.MenuItemList[i].menu == menu) return static_cast<int32_t>(i) + 1;
  }
  return 0;
}

void MenuSkinItemPaint(const SkinWindowRecord& window, const DRAWITEMSTRUCT& item) {
  PaintItem(item, [&] { return SourceFor(window.Window, &window); });
}

void MenuSkinItemPaint(HWND window, const DRAWITEMSTRUCT& item) {
  PaintItem(item, [&] {
    const SkinWindowRecord* record = SkinRecordAt(static_cast<int32_t>(GetSkinProp(window, prop::Hw_lbID)));
    return SourceFor(window, record);
  });
}

void MenuSkinItemTextAndIcon(const DRAWITEMSTRUCT& item, HDC dc) {
  const Description described = Describe(item);
  if (!described.item) return;
  const MenuSkinItemEntry& description = *described.item;
  MENUITEMINFOA info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_FTYPE;
  if (!GetMenuItemInfoA(SkinMenuOfItem(item), item.itemID, FALSE, &info)) {
    info.fState = 0;
  }
  const float w = static_cast<float>(item.rcItem.right - item.rcItem.left);
  const float h = static_cast<float>(item.rcItem.bottom - item.rcItem.top);
  gdip::Graphics graphics;
  if (!SkinGraphicsOnDC(graphics, dc)) return;
  if (description.separator) {
    const float middle = h / 2;
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kBlack, 80), kTextLeft, middle, w - 4, middle);
    SkinStrokeLine(graphics, SkinArgbFromColorRef(SkinEngine.options.SkinThemeColor, 80), kTextLeft, middle, w - 4,
                   middle);
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kWhite, 160), kTextLeft, middle + 1, w - 4, middle + 1);
    return;
  }
  const bool checked = (info.fState & MFS_CHECKED) != 0;
  if (info.fState & MFS_HILITE) DrawHighlight(graphics, w, h, Tint(*described.menu));
  if (checked) DrawPicture(graphics, RecolorImageBytes(), 3, (h - 14) / 2, 14);
  DrawCaption(graphics, description, item.itemState, w, h);
  if (!checked) DrawPicture(graphics, description.icon, 2, (h - 16) / 2, 16);
}

}  // namespace korvath::skin
