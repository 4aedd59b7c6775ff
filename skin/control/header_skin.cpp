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
#include "skin/control/control_installers.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_install.h"
#include "skin/core/colours.h"
#include "skin/core/font_cache.h"
#include "skin/core/hover.h"
#include "skin/core/entry_lookup.h"
#include "skin/control/frame_paint.h"
#include "skin/core/child_layer.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_state.h"
#include "skin/core/parent_background.h"
#include "skin/core/shape_drawing.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/entry_lookup.h"

namespace korvath::skin {

namespace {

constexpr int kDeadZone = 5;

gdip::Argb Colour(COLORREF colour, int32_t alpha) { return gdip::Argb(SkinArgbFromColorRef(colour, alpha)); }

SkinEntryRef<SkinHeaderEntry> Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Headers); }

void Paint(HWND window) {
  const auto f = Find(window);
  if (f) HeaderSkinPaint(f.owner, f.number);
}

void Install(SkinWindowRecord& record, HWND header) {
  if (SkinIsSubclassed(header)) return;
  const SkinFontInfo font = SkinControlFontMetrics(header);
  SkinTakeEntry(record, &SkinWindowRecord::Headers, header, {.procedure = &HeaderSkinWndProc},
                [&](const SkinEntryRef<SkinHeaderEntry>& entry) {
                  entry->buttonStyle = (GetWindowLongW(header, GWL_STYLE) & HDS_BUTTONS) != 0;
                  entry->fontFace = font.face;
                  entry->fontStyle = font.style;
                  entry->fontSize = font.size;
                  // The header's own: the skin only reads it.
                  entry->imageList = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
                });
}

void OnMouseMove(HWND window, LPARAM lParam) {
  const auto f = Find(window);
  if (!f) return;
  // The header draws by the item under the mouse, not by its coming.
  SkinHoverEnter(*f.record, {.window = window, .number = f.number, .kind = HoverKind::Header});
  SkinHeaderEntry& e = *f;
  e.hovered = true;
  e.hotItem = HeaderHitTest(f.owner, f.number, lParam);
  if (e.hotItem != e.paintedHotItem && e.hotItem > 0 && !e.buttonDown) {
    HeaderSkinPaint(f.owner, f.number);
    e.paintedHotItem = e.hotItem;
  } else if (e.hotItem == 0) {
    e.paintedHotItem = 0;
    e.hovered = false;
    HeaderSkinPaint(f.owner, f.number);
  }
  f.record->PrevHotControl = f.record->HotControl;
}

void OnMouseLeave(HWND window) {
  const auto f = Find(window);
  if (!f) return;
  SkinHoverLeave(*f.record);
  f->paintedHotItem = 0;
  f->hotItem = 0;
  f->hovered = false;
  HeaderSkinPaint(f.owner, f.number);
}

void OnButton(HWND window, bool down) {
  const auto f = Find(window);
  if (!f) return;
  f->buttonDown = down;
  if (!down) {
    f->pressedItem = 0;
  } else if (f->hotItem > 0) {
    f->pressedItem = f->hotItem;
  }
}

void FillDown(gdip::Graphics& g, float x, float top, float w, float h, gdip::Argb first, gdip::Argb second) {
  SkinFillGradient(g, MakePointF(x, top), MakePointF(x, top + h), first, second, x, top, w, h);
}

void PaintItem(HDC dc, HWND window, const SkinHeaderEntry& entry, int index, int count, int margin) {
  RECT r = {};
  SendMessageW(window, HDM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
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
  SendMessageW(window, HDM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  const std::string text = platform::WideToGbk(buffer).text;

  SkinMemoryDc canvas = SkinPaintParentBackground(window, RECT{r.left, r.top, r.left + painted, r.bottom});
  if (!canvas) return;
  {
    gdip::Graphics g;
    if (!SkinGraphicsOnDC(g, canvas.get())) return;
    const float top = 0, fw = float(w), fp = float(painted), fh = float(h);
    const int32_t baseAlpha = SkinEngine.options.SkinTransparentMode ? SkinEngine.options.SkinAlpha : 255;
    SkinFillSolid(g, Colour(kWhite, baseAlpha), 0, top, fp, fh);
    if (entry.buttonStyle) {
      FillDown(g, 0, top, fp, fh, Colour(kWhite, 80), Colour(SkinEngine.options.SkinThemeColor, 120));
      if (entry.hovered && entry.hotItem == index + 1) {
        FillDown(g, 0, top, fw, fh, Colour(SkinEngine.options.SkinThemeColor, 60), Colour(kBlack, 30));
      }
      if (entry.pressedItem == index + 1) FillDown(g, 0, top, fw, fh, Colour(kBlack, 30), Colour(kWhite, 120));
    } else {
      FillDown(g, 0, top, fp, fh, Colour(SkinEngine.options.SkinThemeColor, 60),
               Colour(SkinEngine.options.SkinThemeColor, 10));
    }
    gdip::LinearGradientBrush line;
    gdip::Pen pen;
    if (line.CreateFromPoints(MakePointF(fw - 1, top), MakePointF(fw - 1, top + fh), Colour(kBlack, 60),
                              Colour(kWhite, 50)) &&
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
        brush.Create(Colour(kBlack, 255)) && format.Create(0, 0)) {
      format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
      g.DrawString(text, font, brush, SkinMakeRect(float(x0) + iconW, 0, fw - iconW - 2 * float(margin), fh),
                   &format);
    }
  }
  BitBlt(dc, r.left, r.top, painted, h, canvas.get(), 0, 0, SRCCOPY);
}

// The one painter of the header's client, for WM_PAINT, WM_PRINTCLIENT and
// the repaints after hover and press: every item onto `dc`, which clips them
// to what is dirty.
void Paint(const SkinHeaderEntry& entry, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  const HWND window = entry.window;
  const int count = int(SendMessageW(window, HDM_GETITEMCOUNT, 0, 0));
  const int margin = int(SendMessageW(window, HDM_GETBITMAPMARGIN, 0, 0));
  for (int i = 0; i < count; ++i) PaintItem(dc, window, entry, i, count, margin);
}

// What the header shows goes into its child layer too.
LRESULT OnPaint(HWND window) {
  platform::PaintScope paint(window);
  const auto f = Find(window);
  if (!f) return 0;
  Paint(*f, paint.dc(), paint.dirty());
  SkinPaintChildBackground(window, paint.dc());
  return 0;
}

LRESULT OnPrintClient(HWND window, HDC dc) {
  const auto f = Find(window);
  if (!f) return 0;
  RECT client = {};
  GetClientRect(window, &client);
  Paint(*f, dc, client);
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

LRESULT CALLBACK HeaderSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:   OnMouseMove(window, lParam); break;
    case WM_MOUSELEAVE:  OnMouseLeave(window); break;
    case WM_MOVE:        Paint(window); break;
    case WM_ERASEBKGND:  SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
    case WM_PAINT:       return OnPaint(window);
    case WM_PRINTCLIENT: return OnPrintClient(window, reinterpret_cast<HDC>(wParam));
    case WM_LBUTTONDOWN: OnButton(window, true); break;
    case WM_LBUTTONUP:   OnButton(window, false); break;
    default:             break;
  }
  return SkinForward(window, message, wParam, lParam);
}

int32_t HeaderHitTest(int32_t ownerIndex, int32_t entryNumber, LPARAM point) {
  SkinWindowRecord* record = SkinRecordAt(ownerIndex);
  const SkinHeaderEntry* entry = record ? SkinEntryAt(record->Headers, entryNumber) : nullptr;
  if (!entry) return 0;
  const int x = int16_t(LOWORD(point));
  const int count = int(SendMessageW(entry->window, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r = {};
    SendMessageW(entry->window, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    if (r.left + kDeadZone <= x && x <= r.right - kDeadZone) return i + 1;
  }
  return 0;
}

void HeaderSkinPaint(int32_t ownerIndex, int32_t entryNumber) {
  SkinWindowRecord* record = SkinRecordAt(ownerIndex);
  const SkinHeaderEntry* entry = record ? SkinEntryAt(record->Headers, entryNumber) : nullptr;
  if (!entry || !entry->window) return;
  const HWND window = entry->window;
  RECT client = {};
  GetClientRect(window, &client);
  platform::WindowDC screen = platform::WindowDC::Client(window);
  Paint(*entry, screen.get(), client);
  SkinPaintChildBackground(window, screen.get());
}

}  // namespace korvath::skin
