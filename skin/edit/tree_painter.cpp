// The owner-painted tree view of the transparent-background mode.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/pen.h"
#include "gdip/string_format.h"
#include "platform/embedded_image.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_state.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/frame_geometry.h"
#include "skin/draw/picture_cache.h"
#include "skin/draw/shape_drawing.h"
#include "skin/edit/painters.h"
#include "skin/edit/tree_glyphs.h"

namespace korvath::skin {

std::span<const uint8_t> TreeCheckImage() { return platform::EmbeddedImageBytes(EmbeddedTreeCheckPng()); }
std::span<const uint8_t> TreeThirdStateImage() {
  return platform::EmbeddedImageBytes(EmbeddedTreeThirdStatePng());
}
std::span<const uint8_t> TreeExpanderImage() { return platform::EmbeddedImageBytes(EmbeddedTreeExpanderPng()); }

namespace {

constexpr int kButtonSize = 8;
constexpr int kCheckBoxSize = 11;
constexpr int kTextLimit = 512;
constexpr int32_t kCheckTicked = 4;
constexpr int32_t kCheckThirdState = 6;

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item) {
  return platform::FromParam<HTREEITEM>(platform::SendWithPointer(tree, TVM_GETNEXTITEM, relation, item));
}

bool ItemRect(HWND tree, HTREEITEM item, bool textOnly, RECT& r) {
  std::memcpy(&r, &item, sizeof item);  // the item goes in the rectangle's first word
  return platform::SendWithPointer(tree, TVM_GETITEMRECT, textOnly, &r) > 0;
}

struct TreeStyle {
  bool buttons, lines, linesAtRoot, checkBoxes, fullRow, track;
};

TreeStyle ReadStyle(HWND tree) {
  const LONG s = GetWindowLongW(tree, GWL_STYLE);
  const bool lines = HasStyleMask(s, TVS_HASLINES);
  return {HasStyleMask(s, TVS_HASBUTTONS),
          lines,
          HasStyleMask(s, TVS_LINESATROOT),
          HasStyleMask(s, TVS_CHECKBOXES),
          !lines && HasStyleMask(s, TVS_FULLROWSELECT),
          !lines && HasStyleMask(s, TVS_TRACKSELECT)};
}

struct Item {
  HTREEITEM handle;
  RECT row;
  RECT text;
  UINT state;
  int image;
  int selectedImage;
  int children;
  std::wstring label;
};

Item FetchItem(HWND tree, HTREEITEM handle, const RECT& row) {
  Item item{handle, row, {}, 0, 0, 0, 0, {}};
  ItemRect(tree, handle, true, item.text);
  std::wstring buffer(kTextLimit + 1, L'\0');
  TVITEMW query = {};
  query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  query.hItem = handle;
  query.stateMask = 0xFFFF;  // expanded state and state image alike
  query.pszText = buffer.data();
  query.cchTextMax = kTextLimit + 1;
  platform::SendWithPointer(tree, TVM_GETITEMW, 0, &query);
  const wchar_t* text = query.pszText ? query.pszText : L"";
  item.label.assign(text, wcsnlen(text, kTextLimit));
  item.state = query.state;
  item.image = query.iImage;
  item.selectedImage = query.iSelectedImage;
  item.children = query.cChildren;
  return item;
}

// The rectangle's fill and outline, one pixel in from its right and bottom.
void FillAndOutline(gdip::Graphics& g, const RECT& r, gdip::Argb fill, gdip::Argb outline) {
  const gdip::RectF box = ToRectF(r);
  SkinFillSolid(g, fill, box.x, box.y, box.width - 1, box.height - 1);
  SkinStroke(g, outline, 1.0f, box.x, box.y, box.width - 1, box.height - 1);
}

void DrawGlyph(gdip::Graphics& g, std::span<const uint8_t> png, float x, float y, float w, float h) {
  gdip::Bitmap image;
  if (SkinLoadCachedPicture(image, png)) g.DrawImageRect(image, x, y, w, h);
}

// The colours of a small shaded box.
struct BoxShades {
  gdip::Argb base = 0;     // under everything
  gdip::Argb top = 0;      // the vertical gradient, from the top
  gdip::Argb bottom = 0;   // to the bottom
  gdip::Argb outline = 0;
};

// A small square box at `corner`: the base colour, a vertical gradient over
// it, an outline.
void DrawShadedBox(gdip::Graphics& g, gdip::PointF corner, float size, const BoxShades& shades) {
  const float x = corner.x, y = corner.y;
  SkinFillSolid(g, shades.base, x, y, size, size);
  SkinFillGradient(g, {x, y}, {x, y + size}, shades.top, shades.bottom, gdip::RectF{x, y, size, size});
  SkinStroke(g, shades.outline, 1.0f, x, y, size, size);
}

class TreePainter {
 public:
  // Draws through `canvas`'s graphics, and with GDI onto its DC.
  TreePainter(HWND tree, SkinChildEntry& entry, SkinCanvas& canvas)
      : tree_(tree), entry_(entry), style_(ReadStyle(tree)), graphics_(canvas.graphics()) {
    ready_ = canvas && format_.GenericTypographic() &&
             format_.SetFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsLineLimit) &&
             format_.SetLineAlign(Gdiplus::StringAlignmentCenter);
    indent_ = int(SendMessageW(tree, TVM_GETINDENT, 0, 0));
    imageList_ = platform::FromParam<HIMAGELIST>(SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    if (imageList_) ImageList_GetIconSize(imageList_, &iconWidth_, &iconHeight_);
    strip_ = static_cast<int32_t>(GetSkinProp(tree, prop::Sxk_Tpzsy));
    dc_ = canvas.dc();
  }

  void PaintAll() {
    if (!ready_) return;
    const HTREEITEM selected = Next(tree_, TVGN_CARET, nullptr);
    RECT row = {};
    for (HTREEITEM item = Next(tree_, TVGN_FIRSTVISIBLE, nullptr); item && ItemRect(tree_, item, false, row);
         item = Next(tree_, TVGN_NEXTVISIBLE, item)) {
      PaintItem(FetchItem(tree_, item, row), item == selected);
    }
  }

 private:
  void PaintItem(const Item& item, bool selected) {
    const int iconX = int(item.text.left - iconWidth_ - 2);
    const RECT& target = style_.fullRow ? item.row : item.text;
    if (selected) {
      FillAndOutline(graphics_, target, SkinArgbFromColorRef(entry_.selectedFillColor, 120),
                     SkinArgbFromColorRef(kBlack, 80));
    } else if (style_.track && entry_.mouseX >= item.row.left && entry_.mouseX <= item.row.right &&
               entry_.mouseY >= item.row.top && entry_.mouseY < item.row.bottom) {
      FillAndOutline(graphics_, target, SkinArgbFromColorRef(entry_.hotFillColor, 60),
                     SkinArgbFromColorRef(kBlack, 30));
    }
    DrawItemImage(selected ? item.selectedImage : item.image, iconX, item.text.top);
    DrawText(item, selected);
    int leadingX = iconX;
    if (style_.checkBoxes) leadingX = DrawCheckBox(item, iconX);
    const bool button = item.children > 0 && style_.buttons &&
                        (Next(tree_, TVGN_PARENT, item.handle) || style_.linesAtRoot);
    const int buttonX = leadingX - kButtonSize - kButtonSize;
    const int buttonY = int(item.row.top + (item.row.bottom - item.row.top - kButtonSize) / 2.0);
    if (button) DrawButton(buttonX, buttonY, (UnpackLow7Bits(int32_t(item.state)) & TVIS_EXPANDED) != 0);
    if (style_.lines) DrawLines(item, leadingX, button, buttonX, buttonY);
  }

  void DrawItemImage(int index, int x, int y) {
    if (strip_ == 0) {
      if (imageList_) ImageList_Draw(imageList_, index, dc_, x, y, ILD_TRANSPARENT);
      return;
    }
    if (strip_ < 1 || size_t(strip_) > SkinEngine.lists.TreeViewStateList.size()) return;
    const std::vector<uint8_t> picture =
        SkinEngine.lists.TreeViewStateList[size_t(strip_) - 1].pictureStrip->GetCellPicture(index + 1);
    DrawGlyph(graphics_, picture, float(x), float(y), float(iconWidth_), float(iconHeight_));
  }

  void DrawText(const Item& item, bool selected) {
    const COLORREF colour = selected ? entry_.selectedTextColor : entry_.textColor;
    const RECT& t = item.text;
    if (entry_.useHaloText) {
      std::string gbk;  // the halo text takes GBK
      const int n = WideCharToMultiByte(936, 0, item.label.data(), int(item.label.size()), nullptr, 0, nullptr, nullptr);
      gbk.resize(size_t(n));
      WideCharToMultiByte(936, 0, item.label.data(), int(item.label.size()), gbk.data(), n, nullptr, nullptr);
      SkinDrawControlText(graphics_, gbk, ToRectF(t),
                          {.textColour = colour,
                           .glowColour = selected ? entry_.selectedTextHaloColor : entry_.textHaloColor,
                           .blurDivisor = 3,
                           .face = entry_.fontFace,
                           .style = entry_.fontStyle,
                           .size = float(entry_.fontSize),
                           .verticalAlign = Gdiplus::StringAlignmentCenter,
                           .wrap = false,
                           .format = &format_});
      return;
    }
    gdip::SolidBrush brush;
    gdip::Font font;
    if (!brush.Create(SkinArgbFromColorRef(colour, 254)) ||
        !SkinFontFromName(font, entry_.fontFace, float(entry_.fontSize), entry_.fontStyle, Gdiplus::UnitWorld)) {
      return;
    }
    gdip::RectF layout = ToRectF(t);
    layout.height += 1;
    graphics_.DrawStringSimple(item.label, font, brush, layout, &format_);
  }

  int DrawCheckBox(const Item& item, int iconX) {
    const int gap = iconWidth_ > 0 ? 2 : 0;
    const int boxX = iconX - kCheckBoxSize - gap;
    const int boxY = int(item.row.top + (item.row.bottom - item.row.top - kCheckBoxSize) / 2.0);
    DrawShadedBox(graphics_, {float(boxX), float(boxY)}, float(kCheckBoxSize),
                  {.base = SkinArgbFromColorRef(kWhite, 180), .top = SkinArgbFromColorRef(kBlack, 20),
                   .bottom = SkinArgbFromColorRef(kWhite, 100), .outline = SkinArgbFromColorRef(kBlack, 254)});
    const int32_t check = UnpackBits11To14(int32_t(item.state));
    if (check == kCheckTicked) DrawGlyph(graphics_, TreeCheckImage(), float(boxX), float(boxY), 12, 12);
    if (check == kCheckThirdState) {
      DrawGlyph(graphics_, TreeThirdStateImage(), float(boxX) + 2.5f, float(boxY) + 2.5f, 6, 6);
    }
    return boxX;
  }

  void DrawButton(int x, int y, bool expanded) {
    if (entry_.useImageButtons) {
      gdip::Bitmap image;
      if (!SkinLoadCachedPicture(image, TreeExpanderImage())) return;
      if (!expanded && !image.RotateFlip(Gdiplus::Rotate270FlipNone)) return;
      const float w = float(image.GetWidth()), h = float(image.GetHeight());
      graphics_.DrawImageRect(image, x + (kButtonSize - w) / 2, y + (kButtonSize - h) / 2, w, h);
      return;
    }
    const float fx = float(x), fy = float(y);
    DrawShadedBox(graphics_, {fx, fy}, float(kButtonSize),
                  {.base = SkinArgbFromColorRef(kWhite, 100), .top = SkinArgbFromColorRef(kWhite, 245),
                   .bottom = SkinArgbFromColorRef(kBlack, 10), .outline = SkinArgbFromColorRef(kBlack, 120)});
    const gdip::Argb glyph = SkinArgbFromColorRef(entry_.textColor, 254);
    SkinStrokeLine(graphics_, glyph, fx + 2, fy + 4, fx + 6, fy + 4);
    if (!expanded) SkinStrokeLine(graphics_, glyph, fx + 4, fy + 2, fx + 4, fy + 6);
  }

  void DrawLines(const Item& item, int leadingX, bool button, int buttonX, int buttonY) {
    gdip::Pen pen;
    if (item.text.left <= 0 ||
        !pen.CreateFromColor(SkinArgbFromColorRef(COLORREF(SendMessageW(tree_, TVM_GETLINECOLOR, 0, 0)), 254), 1.0f) ||
        !pen.SetDashStyle(Gdiplus::DashStyleDot)) {
      return;
    }
    if (button) {
      graphics_.SetClipRect(float(buttonX), float(buttonY), float(kButtonSize), float(kButtonSize),
                            Gdiplus::CombineModeExclude);
    }
    const int offset = kButtonSize + (style_.buttons ? 3 : 0);
    const RECT& row = item.row;
    const float middleY = float(int(row.top + (row.bottom - row.top) / 2.0 + 1));
    const float lineX = float(leadingX - offset - 1);
    graphics_.DrawLine(pen, float(leadingX - offset), middleY, float(leadingX - 1), middleY);
    if (Next(tree_, TVGN_NEXT, item.handle)) graphics_.DrawLine(pen, lineX, middleY, lineX, float(row.bottom));
    if (Next(tree_, TVGN_PREVIOUS, item.handle) || Next(tree_, TVGN_PARENT, item.handle)) {
      graphics_.DrawLine(pen, lineX, float(row.top + 1), lineX, middleY + 1);
    }
    int level = 1;
    for (HTREEITEM a = Next(tree_, TVGN_PARENT, item.handle); a; a = Next(tree_, TVGN_PARENT, a), ++level) {
      if (!Next(tree_, TVGN_NEXT, a)) continue;
      const float x = float(leadingX - level * indent_ - offset - 1);
      graphics_.DrawLine(pen, x, float(row.top), x, float(row.bottom + 1));
    }
  }

  HWND tree_;
  SkinChildEntry& entry_;
  TreeStyle style_;
  gdip::Graphics& graphics_;
  gdip::StringFormat format_;
  bool ready_ = false;
  int indent_ = 0;
  HIMAGELIST imageList_ = nullptr;
  int iconWidth_ = 0;
  int iconHeight_ = 0;
  int32_t strip_ = 0;
  HDC dc_ = nullptr;
};

// The tree's picture over the background behind its client area, which lies
// inside the frame; the entry takes the tree's text colour and font first.
// Empty for a tree without an entry.
SkinCanvas Picture(const ChildRef& tree) {
  if (!tree) return {};
  HWND window = tree->window;
  // A tree on the system's text colour answers -1: that is the window text
  // colour, not white.
  const auto textColour = static_cast<COLORREF>(SendMessageW(window, TVM_GETTEXTCOLOR, 0, 0));
  tree->textColor = textColour == CLR_NONE || textColour == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : textColour;
  const SkinFontInfo font = SkinControlFontMetrics(window);
  if (!font.face.empty()) tree->fontFace = font.face;
  if (font.size != 0) tree->fontSize = font.size;
  tree->fontStyle = font.style;

  SkinCanvas picture(*tree.record, window, SkinGetFrameGeometry(window), {.drawing = SkinCanvasDrawing::ThroughDc});
  if (!picture.dc()) return {};
  TreePainter painter(window, *tree, picture);
  painter.PaintAll();
  return picture;
}

}  // namespace

void TreeSkinPaint(const ChildRef& tree) {
  SkinCanvas picture = Picture(tree);
  if (!picture.dc()) return;
  picture.Finish();
  platform::WindowDC screen = SkinGetClippedDC(tree->window);
  picture.CopyTo(screen.get());
}

void TreeSkinPrint(const ChildRef& tree, HDC dc) {
  SkinCanvas picture = Picture(tree);
  if (picture.dc()) picture.CopyTo(dc);
}

}  // namespace korvath::skin
