// StaticSkinInstall (declared with the other installers) and the static skin.
#include "skin/control/static_skin.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <string>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "skin/control/control_installers.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_install.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_state.h"
#include "skin/core/parent_background.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"

namespace korvath::skin {

namespace {


constexpr COLORREF kTextColour = 0x000000;
constexpr COLORREF kGlowColour = 0xFFFFFF;
constexpr int32_t kGlowBlurDivisor = 4;
// The text is laid out from one pixel left of the client area (it is drawn
// one pixel right of its layout's corner); its glow and halo reach past the
// measured lines by these margins, which the client area keeps free.
constexpr float kTextLayoutX = -1;
constexpr int32_t kGlowRight = 3;
constexpr int32_t kGlowBelow = 4;

bool HasAll(LONG style, LONG mask) { return (style & mask) == mask; }

StaticKind KindOf(LONG style) {
  if (HasAll(style, SS_ICON)) return StaticKind::Icon;
  if (HasAll(style, SS_BITMAP)) return StaticKind::Bitmap;
  return StaticKind::Text;
}

ImagePlacement PlacementOf(LONG style) {
  if (HasAll(style, SS_CENTERIMAGE)) return ImagePlacement::Centred;
  if (HasAll(style, SS_REALSIZECONTROL)) return ImagePlacement::Stretched;
  if (HasAll(style, SS_RIGHTJUST)) return ImagePlacement::BottomRight;
  return ImagePlacement::AtOrigin;
}

SkinStaticEntry* StaticEntryOf(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Statics).get(); }

// Blank: nothing but ASCII and full-width (code page 936) spaces.
bool IsBlank(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    if (uint8_t(text[i]) == 0xA1 && i + 1 < text.size() && uint8_t(text[i + 1]) == 0xA1) {
      ++i;
      continue;
    }
    return false;
  }
  return true;
}

HANDLE ImageOf(HWND window) {
  if (const LRESULT icon = SendMessageW(window, STM_GETICON, 0, 0)) return reinterpret_cast<HANDLE>(icon);
  return reinterpret_cast<HANDLE>(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

bool KeepsNativeDrawing(HWND window, const SkinStaticEntry& entry) {
  if (entry.kind == StaticKind::Text) return IsBlank(GetControlText(window));
  return ImageOf(window) == nullptr;
}

// The native drawing, put on the parent's skinned background.
void PaintNatively(HWND window, HDC dc, const RECT& client) {
  SkinMemoryDc behind = SkinPaintParentBackground(window, client);
  SkinForward(window, WM_PAINT, reinterpret_cast<WPARAM>(behind.get()), 0);
  if (behind) BitBlt(dc, 0, 0, client.right, client.bottom, behind.get(), 0, 0, SRCCOPY);
}

SkinMemoryDc Picture(const SkinStaticEntry& entry, const RECT& client);

// The one painter of the static's client, for WM_PAINT and WM_PRINTCLIENT:
// the native drawing or the skin's picture, onto `dc`, which clips it to
// what is dirty. A picture static without a picture draws nothing: the
// window keeps what it shows.
void Paint(HWND window, const SkinStaticEntry& entry, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  RECT client = {};
  GetClientRect(window, &client);
  if (KeepsNativeDrawing(window, entry)) {
    PaintNatively(window, dc, client);
  } else if (const SkinMemoryDc picture = Picture(entry, client)) {
    SkinGetClippedDC(window, dc);
    BitBlt(dc, 0, 0, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
  }
}

LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  const SkinStaticEntry* entry = StaticEntryOf(window);
  if (!entry) return SkinForward(window, WM_PAINT, wParam, lParam);
  {
    platform::PaintScope paint(window);
    Paint(window, *entry, paint.dc(), paint.dirty());
  }
  return DefWindowProcW(window, WM_PAINT, wParam, lParam);
}

LRESULT OnPrintClient(HWND window, WPARAM wParam, LPARAM lParam) {
  const SkinStaticEntry* entry = StaticEntryOf(window);
  if (!entry) return SkinForward(window, WM_PRINTCLIENT, wParam, lParam);
  RECT client = {};
  GetClientRect(window, &client);
  platform::SavedDCState keep(reinterpret_cast<HDC>(wParam));
  Paint(window, *entry, reinterpret_cast<HDC>(wParam), client);
  return 0;
}

LRESULT OnEraseBackground(HWND window, HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  const SkinProp colour = IsWindowEnabled(window) ? prop::Kj_Ztys : prop::Kj_Jzzts;
  return LRESULT(SetTextColor(dc, COLORREF(GetSkinProp(window, colour))));
}

// The new text is painted at once, after the control's own procedure has
// stored it (a static paints its own look as it does).
LRESULT OnSetText(HWND window, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = SkinForward(window, WM_SETTEXT, wParam, lParam);
  StaticSkinPaint(int32_t(GetSkinProp(window, prop::Hw_FuID)), int32_t(GetSkinProp(window, prop::Hw_lbID)));
  return result;
}

void DrawBitmap(gdip::Graphics& g, HWND window, ImagePlacement placement, const RECT& client) {
  HANDLE handle = reinterpret_cast<HANDLE>(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (!handle) handle = reinterpret_cast<HANDLE>(SendMessageW(window, STM_GETICON, 0, 0));
  if (!handle) return;
  gdip::Bitmap image;
  if (!image.CreateFromHBITMAP(static_cast<HBITMAP>(handle)) && !image.CreateFromHICON(static_cast<HICON>(handle))) {
    return;
  }
  const float w = float(image.GetWidth()), h = float(image.GetHeight());
  const float cw = float(client.right), ch = float(client.bottom);
  switch (placement) {
    case ImagePlacement::Stretched:    g.DrawImageRect(image, 0, 0, cw, ch); break;
    case ImagePlacement::Centred:      g.DrawImageRect(image, (cw - w) / 2, (ch - h) / 2, w, h); break;
    case ImagePlacement::BottomRight:  g.DrawImageRect(image, cw - w, ch - h, w, h); break;
    default:            g.DrawImageRect(image, 0, 0, w, h); break;
  }
}

void DrawIconOf(HDC dc, HWND window, ImagePlacement placement, const RECT& client) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(window, STM_GETICON, 0, 0));
  if (!icon) return;
  if (placement == ImagePlacement::Stretched) {
    DrawIconEx(dc, 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
  } else {
    DrawIcon(dc, 0, 0, icon);
  }
}

}  // namespace

void StaticSkinInstall(SkinWindowRecord& record, HWND parent, int32_t extraWidth, int32_t extraHeight) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, L"Static", [&](HWND child) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    SkinTakeEntry(record, &SkinWindowRecord::Statics, child, {.procedure = &StaticSkinWndProc},
                  [&](const SkinEntryRef<SkinStaticEntry>& entry) {
                    SkinFontInfo font = SkinControlFontMetrics(child);
                    if (font.face.empty()) font = SkinControlFontMetrics(GetParent(child));
                    entry->faceName = font.face.empty() ? kDefaultFontFace : font.face;
                    entry->fontSize = font.size == 0 ? kDefaultFontSize : font.size;
                    entry->fontStyle = font.style;
                    entry->kind = KindOf(style);
                    if (entry->kind != StaticKind::Text) entry->imagePlacement = PlacementOf(style);
                    if (entry->kind == StaticKind::Text) {
                      // Room for the glow and the wider layout of the painter.
                      const RECT r = SkinChildRectInParent(child);
                      SetWindowPos(child, HWND_TOP, r.left, r.top, r.right - r.left + extraWidth,
                                   r.bottom - r.top + extraHeight, SWP_NOZORDER | SWP_NOOWNERZORDER);
                    }
                  });
  });
}

int32_t StaticIsListed(int32_t recordIndex, HWND window) {
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  if (!record || !window) return 0;
  for (size_t i = 0; i < record->Statics.size(); ++i) {
    if (record->Statics[i].window == window) return int32_t(i + 1);
  }
  return 0;
}

LRESULT CALLBACK StaticSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:           SkinDeleteControlBrush(window); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    case WM_MOVE:              InvalidateRect(window, nullptr, TRUE); break;
    case WM_ERASEBKGND:        return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:             return OnPaint(window, wParam, lParam);
    case WM_PRINTCLIENT:       return OnPrintClient(window, wParam, lParam);
    case WM_SETTEXT:           return OnSetText(window, wParam, lParam);
    default:                   break;
  }
  return SkinForward(window, message, wParam, lParam);
}

void StaticSkinPaint(int32_t recordIndex, int32_t entryNumber) {
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  const SkinStaticEntry* entry = record ? SkinEntryAt(record->Statics, entryNumber) : nullptr;
  if (!entry || !entry->window) return;
  const HWND window = entry->window;
  RECT client = {};
  GetClientRect(window, &client);
  const SkinMemoryDc picture = Picture(*entry, client);
  if (!picture) return;
  platform::WindowDC screen = SkinGetClippedDC(window);
  BitBlt(screen.get(), 0, 0, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
}

namespace {

// What lies beneath the static with the skin's text, icon or picture over
// it; nothing for a picture static without a picture.
SkinMemoryDc Picture(const SkinStaticEntry& entry, const RECT& client) {
  const HWND window = entry.window;
  SkinMemoryDc buffer = SkinPaintParentBackground(window, client);
  if (!buffer) return {};
  if (entry.kind == StaticKind::Bitmap && !ImageOf(window)) return {};
  if (entry.kind == StaticKind::Icon) {
    DrawIconOf(buffer.get(), window, entry.imagePlacement, client);
  } else if (gdip::Graphics g; SkinGraphicsOnDC(g, buffer.get())) {
    if (entry.kind == StaticKind::Text) {
      // Broken into lines here, so that no line runs past the client area:
      // GDI+ would otherwise wrap at the layout's edge or cut a character.
      const SkinTextLines lines = StaticShownLines(window, {client.right, client.bottom});
      const gdip::RectF layout =
          SkinMakeRect(kTextLayoutX, 0, float(client.right) - kTextLayoutX, float(client.bottom));
      SkinDrawControlText(g, lines.Joined(), layout,
                          {.textColour = kTextColour,
                           .glowColour = kGlowColour,
                           .blurDivisor = kGlowBlurDivisor,
                           .face = entry.faceName,
                           .style = entry.fontStyle,
                           .size = float(entry.fontSize),
                           .wrap = false});
    } else if (entry.kind == StaticKind::Bitmap) {
      DrawBitmap(g, window, entry.imagePlacement, client);
    }
  }
  return buffer;
}

// Breaking a text into lines measures it with GDI+ piece by piece (a
// quarter of a millisecond for a box's message under Wine), and one box asks
// for the same lines when it is laid out, again when it is shown and when its
// text is painted, as the next box with the same message does: the last few
// answers are kept. They depend on nothing but the text, the width and the
// font.
SkinTextLines MeasuredLines(const std::string& text, float width, const SkinFontInfo& font) {
  struct Measured {
    std::string text;
    float width;
    SkinFontInfo font;
    SkinTextLines lines;
    bool Answers(const std::string& t, float w, const SkinFontInfo& f) const {
      return width == w && text == t && font.size == f.size && font.style == f.style && font.face == f.face;
    }
  };
  constexpr size_t kKept = 4;
  static std::deque<Measured> kept;  // the latest first
  const auto found = std::find_if(kept.begin(), kept.end(), [&](const Measured& m) { return m.Answers(text, width, font); });
  if (found != kept.end()) return found->lines;
  SkinTextLines lines = SkinLayOutControlText(text, width, font);
  kept.push_front(Measured{text, width, font, lines});
  if (kept.size() > kKept) kept.pop_back();
  return lines;
}

}  // namespace

bool StaticShowsSkinnedText(HWND window) {
  const SkinStaticEntry* entry = StaticEntryOf(window);
  return entry && entry->kind == StaticKind::Text;
}

SkinTextLines StaticTextLines(HWND window, int32_t clientWidth) {
  const SkinStaticEntry* entry = StaticEntryOf(window);
  if (!entry || entry->kind != StaticKind::Text) return {};
  const SkinFontInfo font{entry->faceName, entry->fontSize, entry->fontStyle};
  return MeasuredLines(GetControlText(window), float(clientWidth - kGlowRight), font);
}

SIZE StaticTextClientSize(const SkinTextLines& lines) {
  return {LONG(std::ceil(lines.width)) + kGlowRight, LONG(std::ceil(lines.height)) + kGlowBelow};
}

SkinTextLines StaticShownLines(HWND window, SIZE clientSize) {
  SkinTextLines lines = StaticTextLines(window, clientSize.cx);
  if (lines.lines.empty() || StaticTextClientSize(lines).cy <= clientSize.cy) return lines;
  const SkinStaticEntry* entry = StaticEntryOf(window);
  const SkinFontInfo font{entry->faceName, entry->fontSize, entry->fontStyle};
  const float spacing = lines.height / float(lines.lines.size());
  const size_t fit = size_t(std::max(0.0f, float(clientSize.cy - kGlowBelow) / spacing));
  lines.lines.resize(std::clamp<size_t>(fit, 1, lines.lines.size()));
  lines.height = spacing * float(lines.lines.size());
  // Characters come off the last line's end until the ellipsis fits beside
  // what is left on one line.
  static const std::wstring kEllipsis = L"\u2026";
  const float width = float(clientSize.cx - kGlowRight);
  auto endingInEllipsis = [&](const std::wstring& text) { return platform::WideToGbk(text + kEllipsis).text; };
  std::wstring last = platform::GbkToWide(lines.lines.back());
  while (true) {
    while (!last.empty() && (last.back() == L' ' || last.back() == 0x3000)) last.pop_back();
    if (last.empty() || SkinLayOutControlText(endingInEllipsis(last), width, font).lines.size() == 1) break;
    last.pop_back();
    // Never half of a surrogate pair.
    if (!last.empty() && last.back() >= 0xD800 && last.back() <= 0xDBFF) last.pop_back();
  }
  lines.lines.back() = endingInEllipsis(last);
  return lines;
}

}  // namespace korvath::skin
