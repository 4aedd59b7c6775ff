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
#include "skin/core/colours.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/font_cache.h"
#include "skin/core/memory_dc.h"
#include "skin/core/picture_cache.h"
#include "skin/core/rounded_path.h"
#include "skin/core/shape_drawing.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_props.h"

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

void ToolbarSkinButtonPaint(const ToolbarRef& toolbar, int32_t index, HDC dc, bool hot) {
  const HWND window = toolbar->window;
  TBBUTTON button = {};
  platform::SendWithPointer(window, TB_GETBUTTON, WPARAM(index), &button);
  RECT r = {};
  platform::SendWithPointer(window, TB_GETITEMRECT, WPARAM(index), &r);
  const bool textBeside = (SendMessageW(window, TB_GETSTYLE, 0, 0) & TBSTYLE_LIST) != 0;
  RECT client = {};
  GetClientRect(window, &client);
  const auto images = GetSkinPropHandle<HIMAGELIST>(window, prop::Kj_wtjb);
  const platform::OwnedIcon ownedIcon(images ? ImageList_GetIcon(images, button.iBitmap, ILD_TRANSPARENT) : nullptr);
  const HICON icon = ownedIcon.get();
  if (button.fsState & TBSTATE_HIDDEN) return;
  const std::string text = ToolbarButtonText(window, button.idCommand);

  const gdip::RectF box = ToRectF(r);
  const float L = box.x, T = box.y, W = box.width, H = box.height;
  const uint8_t style = button.fsStyle, state = button.fsState;
  const bool pressed = state & TBSTATE_PRESSED, checked = state & TBSTATE_CHECKED;
  const bool dropDown = style == kDropDown || style == kWholeDropDown;
  float iw = 0, ih = 0;
  {
    gdip::Graphics g;
    gdip::GraphicsPath face;
    if (!SkinGraphicsOnDC(g, dc) || !face.Create()) return;
    SkinPathAddRoundRect(face, L, T, W, H, kFaceRadius);
    if (pressed) {
      SkinFillGradient(g, MakePointF(L, T), MakePointF(L, T + H), SkinArgbFromColorRef(kBlack, 60),
                       SkinArgbFromColorRef(kWhite, 100), face);
    } else if (checked) {
      FillFace(g, face, {W, H}, {.innerGap = 4, .centreAlpha = 100, .surroundAlpha = 80, .themeAlpha = 16});
    } else if (hot) {
      FillFace(g, face, {W, H}, {.innerGap = 6, .centreAlpha = 10, .surroundAlpha = 60, .themeAlpha = 10});
    }
    if (hot || pressed || checked) {
      if (style != kSeparator) {
        SkinStroke(g, SkinArgbFromColorRef(kBlack, 100), face);
        gdip::GraphicsPath inner;
        if (inner.Create()) {
          SkinPathAddRoundRect(inner, L + 1, T + 1, W - 2, H - 2, kFaceRadius);
          SkinStroke(g, SkinArgbFromColorRef(kWhite, 60), inner);
        }
      }
      if (dropDown) {
        SkinStrokeLine(g, SkinArgbFromColorRef(kBlack, 100), L + W - 12, T + 3, L + W - 12, T + H - 3);
        SkinStrokeLine(g, SkinArgbFromColorRef(kWhite, 150), L + W - 11, T + 3, L + W - 11, T + H - 3);
      }
    }
    if (icon) {
      gdip::Bitmap probe;
      if (probe.CreateFromHICON(icon)) {
        iw = float(probe.GetWidth());
        ih = float(probe.GetHeight());
      }
    }
    if (style == kSeparator) {
      if (L < 10 && index > 0) {
        SkinStrokeLine(g, SkinArgbFromColorRef(kBlack, 100), L + 3, T + H - 5, L + float(client.right) - 6, T + H - 5);
        SkinStrokeLine(g, SkinArgbFromColorRef(kWhite, 150), L + 3, T + H - 4, L + float(client.right) - 6, T + H - 4);
      } else {
        const float x = float(int(L + (W - 2) / 2));
        SkinStrokeLine(g, SkinArgbFromColorRef(kBlack, 100), x, T + 3, x, T + H - 3);
        SkinStrokeLine(g, SkinArgbFromColorRef(kWhite, 150), x + 1, T + 3, x + 1, T + H - 3);
      }
    }
    if (dropDown) DrawDropDownArrow(g, L + W - 8, float(int(T + (H - 5) / 2)));
  }

  const bool drawsIcon = style == kPlain || style == kCheck || style == kCheckGroup || dropDown;
  if (icon && drawsIcon) {
    const bool greyed = Greyed(style, state);
    int x = int(textBeside ? L + 2 : L + (W - iw) / 2);
    if (!textBeside && dropDown && !greyed) x = int(L + (W - iw - 10) / 2);
    const int y = int(textBeside ? T + (H - ih) / 2 : T + 2);
    if (greyed) {
      SkinIconDrawRecoloured(dc, x, y, icon, state);
    } else {
      DrawIconEx(dc, x, y, icon, int(iw), int(ih), 0, nullptr, DI_NORMAL);
    }
  }
  if (text.empty()) return;
  const SkinToolbarEntry* entry = toolbar.get();
  gdip::Graphics g;
  gdip::SolidBrush brush;
  gdip::Font font;
  gdip::StringFormat format;
  const bool greyText = (state & TBSTATE_INDETERMINATE) || !(state & TBSTATE_ENABLED);
  const COLORREF colour = greyText ? kGreyText : COLORREF(GetSkinProp(window, prop::Kj_Ztys));
  if (!entry || !SkinGraphicsOnDC(g, dc) || !brush.Create(SkinArgbFromColorRef(colour, 255)) ||
      !SkinFontFromName(font, entry->fontFace, float(entry->fontSize), entry->fontStyle, Gdiplus::UnitWorld) ||
      !format.Create(Gdiplus::StringFormatFlagsMeasureTrailingSpaces)) {
    return;
  }
  format.SetAlign(Gdiplus::StringAlignmentCenter);
  format.SetLineAlign(Gdiplus::StringAlignmentCenter);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
  const float arrow = dropDown ? float(kDropDownWidth) : 0;
  const gdip::RectF layout = textBeside ? SkinMakeRect(L + iw, T + 2, W - iw - arrow, H)
                                        : SkinMakeRect(L, T + ih, W - arrow, H - ih);
  g.DrawString(text, font, brush, layout, &format);
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
