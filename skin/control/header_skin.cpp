// HeaderSkinInstall (declared with the other installers), the header's
// procedure, hit test and painter.
#include "skin/control/header_skin.h"

#include <commctrl.h>

#include <string>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/string_format.h"
#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "skin/control/control_installers.h"
#include "skin/control/frame_paint.h"
#include "skin/core/child_layer.h"
#include "skin/core/child_walk.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_install.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/hot_control.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/skin_message.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/shape_drawing.h"

namespace korvath::skin {

namespace {

constexpr int kDeadZone = 5;

HeaderRef Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Headers); }

void Install(SkinWindowRecord& record, HWND header) {
  if (SkinIsSubclassed(header)) return;
  const SkinFontInfo font = SkinControlFontMetrics(header);
  SkinTakeEntry(record, &SkinWindowRecord::Headers, header, {.procedure = &HeaderSkinWndProc},
                [&](const HeaderRef& entry) {
                  entry->buttonStyle = (GetWindowLongW(header, GWL_STYLE) & HDS_BUTTONS) != 0;
                  entry->fontFace = font.face;
                  entry->fontStyle = font.style;
                  entry->fontSize = font.size;
                  // The header's own: the skin only reads it.
                  entry->imageList =
                      platform::FromParam<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
                });
}

void OnMouseMove(const SkinMessage& m, const HeaderRef& header) {
  if (!header) return;
  // The header draws by the item under the mouse, not by its coming.
  SkinHotEnter(*header.record, {.window = m.window, .number = header.number, .kind = HoverKind::Header});
  SkinHeaderEntry& e = *header;
  e.hovered = true;
  e.hotItem = HeaderHitTest(header, m.point());
  if (e.hotItem != e.paintedHotItem && e.hotItem > 0 && !e.buttonDown) {
    HeaderSkinPaint(header);
    e.paintedHotItem = e.hotItem;
  } else if (e.hotItem == 0) {
    e.paintedHotItem = 0;
    e.hovered = false;
    HeaderSkinPaint(header);
  }
  header.record->PrevHotControl = header.record->HotControl;
}

void OnMouseLeave(const HeaderRef& header) {
  if (!header) return;
  SkinHotLeave(*header.record);
  header->paintedHotItem = 0;
  header->hotItem = 0;
  header->hovered = false;
  HeaderSkinPaint(header);
}

void OnButton(const HeaderRef& header, bool down) {
  if (!header) return;
  header->buttonDown = down;
  if (!down) {
    header->pressedItem = 0;
  } else if (header->hotItem > 0) {
    header->pressedItem = header->hotItem;
  }
}

void FillDown(gdip::Graphics& g, float x, float top, float w, float h, gdip::Argb first, gdip::Argb second) {
  SkinFillGradient(g, MakePointF(x, top), MakePointF(x, top + h), first, second, gdip::RectF{x, top, w, h});
}

void PaintItem(HDC dc, const HeaderRef& header, int index, int count, int margin) {
  const SkinHeaderEntry& entry = *header;
  const HWND window = entry.window;
  RECT r = {};
  platform::SendWithPointer(window, HDM_GETITEMRECT, WPARAM(index), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  int painted = w;
  const HWND parent = GetParent(window);
  if (index == count - 1 && SkinGetClassNameText(parent) == "SysListView32") {
    RECT area = {};
    GetClientRect(parent, &area);
    if (r.right < area.right) painted = area.right - r.left;
  }
  if (painted <= 0 || h <= 0) return;
  wchar_t buffer[260] = {};
  HDITEMW item = {};
  item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE;
  item.pszText = buffer;
  item.cchTextMax = 260;
  platform::SendWithPointer(window, HDM_GETITEMW, WPARAM(index), &item);
  const std::string text = platform::WideToGbk(buffer).text;

  SkinCanvas canvas(*header.record, window, RECT{r.left, r.top, r.left + painted, r.bottom},
                    {.drawing = SkinCanvasDrawing::ThroughDc});
  if (!canvas) return;
  {
    gdip::Graphics& g = canvas.graphics();
    const float top = 0, fw = float(w), fp = float(painted), fh = float(h);
    const int32_t baseAlpha = SkinEngine.options.SkinTransparentMode ? SkinEngine.options.SkinAlpha : 255;
    const COLORREF theme = SkinEngine.options.SkinThemeColor;
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, baseAlpha), 0, top, fp, fh);
    if (entry.buttonStyle) {
      FillDown(g, 0, top, fp, fh, SkinArgbFromColorRef(kWhite, 80), SkinArgbFromColorRef(theme, 120));
      if (entry.hovered && entry.hotItem == index + 1) {
        FillDown(g, 0, top, fw, fh, SkinArgbFromColorRef(theme, 60), SkinArgbFromColorRef(kBlack, 30));
      }
      if (entry.pressedItem == index + 1) {
        FillDown(g, 0, top, fw, fh, SkinArgbFromColorRef(kBlack, 30), SkinArgbFromColorRef(kWhite, 120));
      }
    } else {
      FillDown(g, 0, top, fp, fh, SkinArgbFromColorRef(theme, 60), SkinArgbFromColorRef(theme, 10));
    }
    gdip::LinearGradientBrush line;
    gdip::Pen pen;
    if (line.CreateFromPoints(MakePointF(fw - 1, top), MakePointF(fw - 1, top + fh),
                              SkinArgbFromColorRef(kBlack, 60), SkinArgbFromColorRef(kWhite, 50)) &&
        pen.CreateFromBrush(line, 1.0f)) {
      g.DrawLine(pen, fw - 1, top, fw - 1, top + fh);
    }
    float iconW = 0;
    gdip::Bitmap icon;
    if ((item.fmt & HDF_IMAGE) && entry.imageList) {
      const platform::OwnedIcon handle(ImageList_GetIcon(entry.imageList, item.iImage, ILD_TRANSPARENT));
      if (handle && icon.CreateFromHICON(handle.get())) iconW = float(icon.GetWidth());
    }
    const int tw = SkinMeasureTextWidth(text, entry.fontFace, entry.fontSize, entry.fontStyle);
    const int need = int(iconW) + margin + tw;
    int x0 = margin;
    if (item.fmt & HDF_RIGHT) {
      x0 = need < w ? w - int(iconW) - tw : margin;
    } else if (item.fmt & HDF_CENTER) {
      x0 = need < w ? (w - int(iconW) - margin - tw) / 2 : margin;
    }
    if (iconW > 0) g.DrawImageRect(icon, float(x0), (fh - float(icon.GetHeight())) / 2, iconW, float(icon.GetHeight()));
    gdip::Font font;
    gdip::SolidBrush brush;
    gdip::StringFormat format;
    if (!text.empty() && SkinFontFromName(font, entry.fontFace, float(entry.fontSize), entry.fontStyle) &&
        brush.Create(SkinArgbFromColorRef(kBlack, 255)) && format.Create(0, 0)) {
      format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
      g.DrawString(text, font, brush, SkinMakeRect(float(x0) + iconW, 0, fw - iconW - 2 * float(margin), fh),
                   &format);
    }
  }
  canvas.CopyTo(dc, r.left, r.top);
}

// The one painter of the header's client, for WM_PAINT, WM_PRINTCLIENT and
// the repaints after hover and press: every item onto `dc`, which clips them
// to what is dirty.
void Paint(const HeaderRef& header, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  const HWND window = header->window;
  const int count = int(SendMessageW(window, HDM_GETITEMCOUNT, 0, 0));
  const int margin = int(SendMessageW(window, HDM_GETBITMAPMARGIN, 0, 0));
  for (int i = 0; i < count; ++i) PaintItem(dc, header, i, count, margin);
}

// What the header shows goes into its child layer too.
LRESULT OnPaint(const SkinMessage& m, const HeaderRef& header) {
  platform::PaintScope paint(m.window);
  if (!header) return 0;
  Paint(header, paint.dc(), paint.dirty());
  SkinPaintChildBackground(*header.record, m.window, paint.dc());
  return 0;
}

LRESULT OnPrintClient(const SkinMessage& m, const HeaderRef& header) {
  if (!header) return 0;
  RECT client = {};
  GetClientRect(m.window, &client);
  Paint(header, m.dc(), client);
  return 0;
}

}  // namespace

void HeaderSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, WC_HEADERW, [&](HWND header) { Install(record, header); });
  // The list view carries its own skin: its header is the one looked at.
  SkinForEachChild(parent, WC_LISTVIEWW, [&](HWND list) {
    if (const HWND header = FindWindowExW(list, nullptr, WC_HEADERW, nullptr)) Install(record, header);
  });
}

namespace {

// The skin's part of a message to HeaderSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const HeaderRef header = Find(window);
  switch (message) {
    case WM_MOUSEMOVE:   OnMouseMove(m, header); break;
    case WM_MOUSELEAVE:  OnMouseLeave(header); break;
    case WM_MOVE:        HeaderSkinPaint(header); break;
    case WM_ERASEBKGND:  SetBkMode(m.dc(), TRANSPARENT); return 1;
    case WM_PAINT:       return OnPaint(m, header);
    case WM_PRINTCLIENT: return OnPrintClient(m, header);
    case WM_LBUTTONDOWN: OnButton(header, true); break;
    case WM_LBUTTONUP:   OnButton(header, false); break;
    default:             break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK HeaderSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

int32_t HeaderHitTest(const HeaderRef& header, POINT point) {
  if (!header) return 0;
  const HWND window = header->window;
  const int count = int(SendMessageW(window, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r = {};
    platform::SendWithPointer(window, HDM_GETITEMRECT, WPARAM(i), &r);
    if (r.left + kDeadZone <= point.x && point.x <= r.right - kDeadZone) return i + 1;
  }
  return 0;
}

void HeaderSkinPaint(const HeaderRef& header) {
  if (!header || !header->window) return;
  const HWND window = header->window;
  RECT client = {};
  GetClientRect(window, &client);
  platform::WindowDC screen = platform::WindowDC::Client(window);
  Paint(header, screen.get(), client);
  SkinPaintChildBackground(*header.record, window, screen.get());
}

}  // namespace korvath::skin
