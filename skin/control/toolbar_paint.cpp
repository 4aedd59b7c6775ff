#include "skin/control/toolbar_paint.h"

#include <commctrl.h>

#include <array>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/string_format.h"
#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "skin/control/control_pictures.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/picture_cache.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kGreyText = 0x808080;
constexpr int32_t kFaceRadius = 5;
constexpr int kDropDownWidth = 12;

enum ButtonStyle : uint8_t {
  kPlain = 0,           // BTNS_BUTTON
  kSeparator = 1,       // BTNS_SEP
  kCheck = 2,           // BTNS_CHECK
  kCheckGroup = 6,      // BTNS_CHECKGROUP
  kDropDown = 8,        // BTNS_DROPDOWN
  kWholeDropDown = 0x80 // BTNS_WHOLEDROPDOWN
};

// How a checked or hot face is lit: white with the theme colour over it, and
// a glow from white at its centre to the theme colour at its edge.
struct FaceGlow {
  int innerGap = 0;           // the centre colour fills all but 4 pixels of the width and this of the height
  int32_t centreAlpha = 0;    // of the white at the centre
  int32_t surroundAlpha = 0;  // of the theme colour at the edge
  int32_t themeAlpha = 0;     // of the theme colour over the whole face
};

void FillFace(gdip::Graphics& g, const gdip::GraphicsPath& face, const gdip::SizeF& size, const FaceGlow& light) {
  const float w = size.width, h = size.height;
  SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 100), face);
  SkinFillSolid(g, SkinArgbFromColorRef(SkinEngine.options.SkinThemeColor, light.themeAlpha), face);
  gdip::PathGradientBrush glow;
  if (!glow.CreateFromPath(face)) return;
  glow.SetCenterColor(SkinArgbFromColorRef(kWhite, light.centreAlpha));
  const std::array<gdip::Argb, 1> surround{
      SkinArgbFromColorRef(SkinEngine.options.SkinThemeColor, light.surroundAlpha)};
  glow.SetSurroundColorsWithCount(surround);
  glow.SetFocusScales((w - 4) / w, (h - float(light.innerGap)) / h);
  g.FillPath(glow, face);
}

// The drop-down arrow at its own size.
void DrawDropDownArrow(gdip::Graphics& g, float x, float y) {
  gdip::Bitmap arrow;
  if (!SkinLoadCachedPicture(arrow, DropDownArrowImage())) return;
  g.DrawImageRect(arrow, x, y, float(arrow.GetWidth()), float(arrow.GetHeight()));
}

bool Greyed(uint8_t style, uint8_t state) {
  if (style == kWholeDropDown) return (state & ~TBSTATE_INDETERMINATE) == 0;
  return (state & TBSTATE_INDETERMINATE) != 0 || (state & TBSTATE_ENABLED) == 0;
}

}  // namespace

std::string ToolbarButtonText(HWND window, int32_t command) {
  const LRESULT length = SendMessageW(window, TB_GETBUTTONTEXTW, WPARAM(command), 0);
  // -1: the button has no text.
  if (length <= 0) return {};
  std::wstring text(size_t(length) + 1, L'\0');
  platform::SendWithPointer(window, TB_GETBUTTONTEXTW, WPARAM(command), text.data());
  text.resize(wcsnlen(text.c_str(), text.size()));
  return platform::WideToGbk(text).text;
}

void SkinIconDrawRecoloured(HDC dc, int32_t x, int32_t y, HICON icon, int32_t state) {
  gdip::Bitmap probe;
  if (!probe.CreateFromHICON(icon)) return;
  const int w = int(probe.GetWidth()), h = int(probe.GetHeight());
  SkinMemoryDc canvas = SkinMemoryDc::Create(w, h);
  if (!canvas) return;
  DrawIconEx(canvas.get(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
  for (int px = 0; px < w; ++px) {
    for (int py = 0; py < h; ++py) {
      const COLORREF c = GetPixel(canvas.get(), px, py);
      const int red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
      const int v = (red + green + blue) / 3;
      COLORREF grey = 0;
      if (c != 0 && !(red == green && green == blue)) {
        grey = (state & TBSTATE_INDETERMINATE) ? RGB((v + 20) & 0xFF, v, v) : RGB(v, v, v);
      }
      SetPixel(canvas.get(), px, py, grey);
    }
  }
  TransparentBlt(dc, x, y, w, h, canvas.get(), 0, 0, w, h, 0);
}

namespace {

// One button as its painters read it.
struct ToolbarButton {
  int32_t index = 0;        // 0-based
  gdip::RectF box;          // its rectangle in the toolbar's client area
  uint8_t style = 0;        // the style byte, compared whole (ButtonStyle)
  uint8_t state = 0;        // TBSTATE_ bits
  bool hot = false;
  bool textBeside = false;  // TBSTYLE_LIST: the text right of the icon, else below it
  LONG clientRight = 0;     // the toolbar's client width: how far a wrapping separator reaches
  HICON icon = nullptr;     // the caller's
  float iconWidth = 0;      // 0 without an icon
  float iconHeight = 0;
  std::string text;         // empty when it has none
};

bool IsDropDown(uint8_t style) { return style == kDropDown || style == kWholeDropDown; }

// Pressed: shaded from top to bottom; checked or hot: lit in the theme colour.
void FillButtonFace(gdip::Graphics& graphics, const gdip::GraphicsPath& face, const ToolbarButton& button) {
  const gdip::RectF& box = button.box;
  if (button.state & TBSTATE_PRESSED) {
    SkinFillGradient(graphics, MakePointF(box.x, box.y), MakePointF(box.x, box.y + box.height),
                     SkinArgbFromColorRef(kBlack, 60), SkinArgbFromColorRef(kWhite, 100), face);
  } else if (button.state & TBSTATE_CHECKED) {
    FillFace(graphics, face, {box.width, box.height},
             {.innerGap = 4, .centreAlpha = 100, .surroundAlpha = 80, .themeAlpha = 16});
  } else if (button.hot) {
    FillFace(graphics, face, {box.width, box.height},
             {.innerGap = 6, .centreAlpha = 10, .surroundAlpha = 60, .themeAlpha = 10});
  }
}

// A lit face's dark outline with a light one inside it (not round a
// separator), and a drop-down's divider before its arrow.
void DrawButtonFrame(gdip::Graphics& graphics, const gdip::GraphicsPath& face, const ToolbarButton& button) {
  if (!button.hot && !(button.state & (TBSTATE_PRESSED | TBSTATE_CHECKED))) return;
  const gdip::RectF& box = button.box;
  if (button.style != kSeparator) {
    SkinStroke(graphics, SkinArgbFromColorRef(kBlack, 100), face);
    gdip::GraphicsPath inner;
    if (inner.Create()) {
      SkinPathAddRoundRect(inner, box.x + 1, box.y + 1, box.width - 2, box.height - 2, kFaceRadius);
      SkinStroke(graphics, SkinArgbFromColorRef(kWhite, 60), inner);
    }
  }
  if (IsDropDown(button.style)) {
    const float right = box.x + box.width;
    const float bottom = box.y + box.height;
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kBlack, 100), right - 12, box.y + 3, right - 12, bottom - 3);
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kWhite, 150), right - 11, box.y + 3, right - 11, bottom - 3);
  }
}

// A dark line beside a light one: across the toolbar's width for a separator
// that starts a wrapped row, else down the separator's middle.
void DrawSeparator(gdip::Graphics& graphics, const ToolbarButton& button) {
  const gdip::RectF& box = button.box;
  const float bottom = box.y + box.height;
  if (box.x < 10 && button.index > 0) {
    const float end = box.x + float(button.clientRight) - 6;
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kBlack, 100), box.x + 3, bottom - 5, end, bottom - 5);
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kWhite, 150), box.x + 3, bottom - 4, end, bottom - 4);
  } else {
    const float middle = float(int(box.x + (box.width - 2) / 2));
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kBlack, 100), middle, box.y + 3, middle, bottom - 3);
    SkinStrokeLine(graphics, SkinArgbFromColorRef(kWhite, 150), middle + 1, box.y + 3, middle + 1, bottom - 3);
  }
}

// The face, the frame, a separator's lines and a drop-down's arrow, all on
// one Graphics; false when none could be made (the button then stays
// undrawn).
bool DrawButtonShapes(HDC dc, const ToolbarButton& button) {
  gdip::Graphics graphics;
  gdip::GraphicsPath face;
  if (!SkinGraphicsOnDC(graphics, dc) || !face.Create()) return false;
  const gdip::RectF& box = button.box;
  SkinPathAddRoundRect(face, box.x, box.y, box.width, box.height, kFaceRadius);
  FillButtonFace(graphics, face, button);
  DrawButtonFrame(graphics, face, button);
  if (button.style == kSeparator) DrawSeparator(graphics, button);
  if (IsDropDown(button.style)) {
    DrawDropDownArrow(graphics, box.x + box.width - 8, float(int(box.y + (box.height - 5) / 2)));
  }
  return true;
}

// The icon of a plain, check, check-group or drop-down button: centred
// above the text or left of it, greyed when the button is.
void DrawButtonIcon(HDC dc, const ToolbarButton& button) {
  const uint8_t style = button.style;
  const bool drawsIcon = style == kPlain || style == kCheck || style == kCheckGroup || IsDropDown(style);
  if (!button.icon || !drawsIcon) return;
  const gdip::RectF& box = button.box;
  const bool greyed = Greyed(style, button.state);
  int x = int(button.textBeside ? box.x + 2 : box.x + (box.width - button.iconWidth) / 2);
  if (!button.textBeside && IsDropDown(style) && !greyed) x = int(box.x + (box.width - button.iconWidth - 10) / 2);
  const int y = int(button.textBeside ? box.y + (box.height - button.iconHeight) / 2 : box.y + 2);
  if (greyed) {
    SkinIconDrawRecoloured(dc, x, y, button.icon, button.state);
  } else {
    DrawIconEx(dc, x, y, button.icon, int(button.iconWidth), int(button.iconHeight), 0, nullptr, DI_NORMAL);
  }
}

// The text in the entry's font, centred in what the icon and a drop-down's
// arrow leave of the button, grey when the button is greyed.
void DrawButtonText(HDC dc, const ToolbarRef& toolbar, const ToolbarButton& button) {
  const SkinToolbarEntry* entry = toolbar.get();
  gdip::Graphics graphics;
  gdip::SolidBrush brush;
  gdip::Font font;
  gdip::StringFormat format;
  const bool greyText = (button.state & TBSTATE_INDETERMINATE) || !(button.state & TBSTATE_ENABLED);
  const COLORREF colour = greyText ? kGreyText : COLORREF(GetSkinProp(toolbar->window, prop::Kj_Ztys));
  if (!entry || !SkinGraphicsOnDC(graphics, dc) || !brush.Create(SkinArgbFromColorRef(colour, 255)) ||
      !SkinFontFromName(font, entry->fontFace, float(entry->fontSize), entry->fontStyle, Gdiplus::UnitWorld) ||
      !format.Create(Gdiplus::StringFormatFlagsMeasureTrailingSpaces)) {
    return;
  }
  format.SetAlign(Gdiplus::StringAlignmentCenter);
  format.SetLineAlign(Gdiplus::StringAlignmentCenter);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
  const gdip::RectF& box = button.box;
  const float arrow = IsDropDown(button.style) ? float(kDropDownWidth) : 0;
  const gdip::RectF layout =
      button.textBeside
          ? SkinMakeRect(box.x + button.iconWidth, box.y + 2, box.width - button.iconWidth - arrow, box.height)
          : SkinMakeRect(box.x, box.y + button.iconHeight, box.width - arrow, box.height - button.iconHeight);
  graphics.DrawString(button.text, font, brush, layout, &format);
}

}  // namespace

void ToolbarSkinButtonPaint(const ToolbarRef& toolbar, int32_t index, HDC dc, bool hot) {
  const HWND window = toolbar->window;
  TBBUTTON queried = {};
  platform::SendWithPointer(window, TB_GETBUTTON, WPARAM(index), &queried);
  RECT rect = {};
  platform::SendWithPointer(window, TB_GETITEMRECT, WPARAM(index), &rect);
  RECT client = {};
  GetClientRect(window, &client);
  const auto images = GetSkinPropHandle<HIMAGELIST>(window, prop::Kj_wtjb);
  const platform::OwnedIcon icon(images ? ImageList_GetIcon(images, queried.iBitmap, ILD_TRANSPARENT) : nullptr);
  if (queried.fsState & TBSTATE_HIDDEN) return;
  ToolbarButton button{.index = index,
                       .box = ToRectF(rect),
                       .style = queried.fsStyle,
                       .state = queried.fsState,
                       .hot = hot,
                       .textBeside = (SendMessageW(window, TB_GETSTYLE, 0, 0) & TBSTYLE_LIST) != 0,
                       .clientRight = client.right,
                       .icon = icon.get(),
                       .text = ToolbarButtonText(window, queried.idCommand)};
  if (gdip::Bitmap probe; button.icon && probe.CreateFromHICON(button.icon)) {
    button.iconWidth = float(probe.GetWidth());
    button.iconHeight = float(probe.GetHeight());
  }
  if (!DrawButtonShapes(dc, button)) return;
  DrawButtonIcon(dc, button);
  if (!button.text.empty()) DrawButtonText(dc, toolbar, button);
}

namespace {

// Every button of the toolbar over what lies beneath it.
SkinCanvas Picture(const ToolbarRef& toolbar) {
  const HWND window = toolbar->window;
  const int count = int(SendMessageW(window, TB_BUTTONCOUNT, 0, 0));
  const int hot = int(SendMessageW(window, TB_GETHOTITEM, 0, 0));
  RECT client = {};
  GetClientRect(window, &client);
  SkinCanvas picture(*toolbar.record, window, client);
  if (picture) {
    for (int i = 0; i < count; ++i) ToolbarSkinButtonPaint(toolbar, i, picture.dc(), i == hot);
  }
  return picture;
}

}  // namespace

void ToolbarSkinPaint(const ToolbarRef& toolbar) {
  if (SkinCanvas picture = Picture(toolbar)) {
    picture.Finish();
    platform::WindowDC screen = SkinGetClippedDC(toolbar->window);
    picture.CopyTo(screen.get());
  }
  toolbar->repaint = false;
}

void ToolbarSkinPrint(const ToolbarRef& toolbar, HDC dc) {
  SkinCanvas picture = Picture(toolbar);
  if (!picture || !dc) return;
  platform::SavedDCState keep(dc);
  SkinGetClippedDC(toolbar->window, dc);
  picture.CopyTo(dc);
}

}  // namespace korvath::skin
