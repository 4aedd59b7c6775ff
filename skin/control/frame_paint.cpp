#include "skin/control/frame_paint.h"

#include <commctrl.h>

#include <algorithm>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "skin/control/container_paint.h"
#include "skin/control/tab_items.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"
#include "skin/draw/thin_outline.h"

namespace korvath::skin {

namespace {

constexpr float kGroupFrameTop = 5;
constexpr int32_t kOuterCorner = 5;
constexpr int32_t kGroupInnerCorner = 3;
constexpr int32_t kTabInnerCorner = 5;
constexpr float kCaptionMargin = 10;
constexpr float kCaptionTop = 1;
constexpr float kCaptionExtraHeight = 3;

enum TabSide { kTop = 0, kLeft = 1, kRight = 2, kBottom = 3 };

void StrokeRoundRect(gdip::Graphics& g, gdip::GraphicsPath& path, const gdip::RectF& box, int32_t corner,
                     gdip::Argb colour) {
  path.Reset();
  SkinPathAddRoundRect(path, box.x, box.y, box.width, box.height, corner);
  SkinStroke(g, colour, path);
}

// The same outline onto the memory DC's own pixels (through the DC, GDI+
// would blend a layer as large as the whole frame for it), or through GDI+
// where the DC holds no section of the engine's.
void StrokeRoundRect(gdip::Graphics& g, HDC memoryDc, gdip::GraphicsPath& path, const gdip::RectF& box,
                     int32_t corner, gdip::Argb colour) {
  path.Reset();
  SkinPathAddRoundRect(path, box.x, box.y, box.width, box.height, corner);
  const RECT bounds{LONG(box.x) - 1, LONG(box.y) - 1, LONG(box.x + box.width) + 2, LONG(box.y + box.height) + 2};
  if (SkinStrokeThinOutline(memoryDc, path, colour, bounds, corner + 4)) return;
  SkinStroke(g, colour, path);
}

// Where the caption stands: centred with BS_CENTER, at the left with BS_LEFT
// alone, otherwise (no alignment bits, or BS_RIGHT) at the right.
float CaptionLeft(LONG style, int clientWidth, int32_t textWidth) {
  if (HasStyleMask(style, BS_CENTER)) return float(clientWidth - textWidth) / 2;
  if (!HasStyleMask(style, BS_LEFT)) return float(clientWidth - textWidth) - kCaptionMargin;
  return kCaptionMargin;
}

void DrawGroupCaption(gdip::Graphics& g, const ContainerRef& group, HDC dc, int clientWidth) {
  const SkinContainerEntry& entry = *group;
  const HWND window = entry.window;
  const std::string caption = GetControlText(window);
  // No caption, no strip: the frame lines stay whole.
  if (caption.empty()) return;
  const int32_t width =
      SkinMeasureTextWidth(caption, entry.captionFontFace, entry.captionFontSize, entry.captionFontStyle);
  const gdip::RectF layout = SkinMakeRect(CaptionLeft(GetWindowLongW(window, GWL_STYLE), clientWidth, width),
                                          kCaptionTop, float(width),
                                          float(entry.captionFontSize) + kCaptionExtraHeight);
  ContainerBackground(*group.record, window, dc,
                      RECT{LONG(layout.x), LONG(layout.y), LONG(layout.x + layout.width),
                           LONG(layout.y + layout.height)});
  gdip::Font font;
  gdip::StringFormat format;
  gdip::SolidBrush brush;
  if (!SkinFontFromName(font, entry.captionFontFace, float(entry.captionFontSize), entry.captionFontStyle,
                           Gdiplus::UnitWorld) ||
      !format.Create(0, 0) ||
      !brush.Create(SkinArgbFromColorRef(COLORREF(GetSkinProp(window, prop::Kj_Ztys)), 255))) {
    return;
  }
  format.SetAlign(Gdiplus::StringAlignmentCenter);
  g.DrawString(caption, font, brush, layout, &format);
}

int32_t TabSide(LONG style) {
  if (HasStyleMask(style, TCS_VERTICAL | TCS_RIGHT)) return kRight;
  if (HasStyleMask(style, TCS_BOTTOM)) return kBottom;
  if (HasStyleMask(style, TCS_VERTICAL)) return kLeft;
  return kTop;
}

struct TabFrame {
  RECT page;  // the page frame
  RECT gap;   // where the selected tab opens into the page
};

TabFrame TabFrameRects(int32_t side, const RECT& client, const RECT& item, int rows) {
  const int tw = item.right - item.left, th = item.bottom - item.top;
  switch (side) {
    case kLeft:
      return {{tw * rows + 1, 0, client.right, client.bottom},
              {item.right - 1, item.top + 1, item.right + 2, item.bottom - 1}};
    case kRight:
      return {{0, 0, client.right - tw * rows - 1, client.bottom},
              {item.left - 1, item.top + 1, item.left + 2, item.bottom - 1}};
    case kBottom:
      return {{0, 0, client.right, client.bottom - th * rows - 1},
              {item.left + 1, item.top - 1, item.right - 1, item.top + 1}};
    default:
      return {{0, th * rows + 1, client.right, client.bottom},
              {item.left + 1, item.bottom - 1, item.right - 1, item.bottom + 2}};
  }
}

// The background behind the gap, in the tab control's own tint when it
// shows one and its tabs stand at the top or left.
void PatchGap(const ContainerRef& tab, HDC dc, const RECT& gap, int32_t side, bool ownTint) {
  const int width = gap.right - gap.left, height = gap.bottom - gap.top;
  if (width <= 0 || height <= 0) return;
  const HWND window = tab->window;
  const bool tinted = ownTint && (side == kTop || side == kLeft);
  SkinCanvas behind(*tab.record, window, gap,
                    {.drawing = tinted ? SkinCanvasDrawing::ThroughDc : SkinCanvasDrawing::None});
  if (!behind.dc()) return;
  if (tinted && behind) {
    SkinFillSolid(behind.graphics(), SkinArgbFromColorRef(tab->backgroundColor, tab->backgroundAlpha), 0, 0,
                  float(width), float(height));
  }
  behind.CopyTo(dc, gap.left, gap.top);
}

}  // namespace

void GroupBoxSkinPaint(const ContainerRef& group, HDC dc) {
  if (!group) return;
  RECT client = {};
  GetClientRect(group->window, &client);
  gdip::Graphics g;
  gdip::GraphicsPath path;
  if (!SkinGraphicsOnDC(g, dc) || !path.Create()) return;
  const float w = float(client.right), h = float(client.bottom);
  StrokeRoundRect(g, dc, path, {0, kGroupFrameTop, w - 1, h - 6}, kOuterCorner, SkinArgbFromColorRef(0x000000, 40));
  StrokeRoundRect(g, dc, path, {1, kGroupFrameTop + 1, w - 3, h - 8}, kGroupInnerCorner,
                  SkinArgbFromColorRef(0xFFFFFF, 90));
  DrawGroupCaption(g, group, dc, client.right);
}

void TabSkinPaint(const ContainerRef& tab, HDC dc) {
  const HWND window = tab->window;
  RECT client = {};
  GetClientRect(window, &client);
  const int count = int(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0));
  const int selected = int(SendMessageW(window, TCM_GETCURSEL, 0, 0));
  const int rows = int(SendMessageW(window, TCM_GETROWCOUNT, 0, 0));
  RECT item = {};
  platform::SendWithPointer(window, TCM_GETITEMRECT, WPARAM(selected), &item);
  const int32_t side = TabSide(GetWindowLongW(window, GWL_STYLE));
  const TabFrame frame = TabFrameRects(side, client, item, rows);
  {
    gdip::Graphics g;
    gdip::GraphicsPath path;
    if (SkinGraphicsOnDC(g, dc) && path.Create()) {
      const gdip::RectF page = ToRectF(frame.page);
      StrokeRoundRect(g, path, {page.x, page.y, page.width - 1, page.height - 1}, kOuterCorner,
                      SkinArgbFromColorRef(0x000000, 80));
      StrokeRoundRect(g, path, {page.x + 1, page.y + 1, page.width - 3, page.height - 3}, kTabInnerCorner,
                      SkinArgbFromColorRef(0xFFFFFF, 120));
    }
  }
  // The control's own tint shows when it has one and its parent is no
  // container of the record.
  const bool ownTint = tab->backgroundColor != 0 && !TabFindContainerEntry(*tab.record, GetParent(window));
  for (int i = 0; i < count; ++i) TabSkinItemsPaint(tab, dc, i, i == selected, side, ownTint);
  // No selection: no tab opens into the page.
  if (selected >= 0) PatchGap(tab, dc, frame.gap, side, ownTint);
}

int32_t SkinMeasureTextWidth(std::string_view text, std::string_view faceName, int32_t size, int32_t style) {
  if (text.empty()) return 1;
  const platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  gdip::Graphics g;
  gdip::Font font;
  gdip::RectF box{};
  if (!SkinGraphicsOnDC(g, dc.get()) ||
      !SkinFontFromName(font, faceName, float(size), style, Gdiplus::UnitWorld) ||
      !g.MeasureString(text, font, std::nullopt, nullptr, box)) {
    return 1;
  }
  return int32_t(box.width) + 1;
}

}  // namespace korvath::skin
