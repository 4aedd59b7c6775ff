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
#include "platform/message_params.h"
#include "platform/window_geometry.h"
#include "skin/control/control_installers.h"
#include "skin/core/child_layer.h"
#include "skin/core/child_walk.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_install.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/engine_caches.h"

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
// What ends a text cut short.
constexpr wchar_t kEllipsis[] = L"\u2026";

StaticKind KindOf(LONG style) {
  if (HasStyleMask(style, SS_ICON)) return StaticKind::Icon;
  if (HasStyleMask(style, SS_BITMAP)) return StaticKind::Bitmap;
  return StaticKind::Text;
}

ImagePlacement PlacementOf(LONG style) {
  if (HasStyleMask(style, SS_CENTERIMAGE)) return ImagePlacement::Centred;
  if (HasStyleMask(style, SS_REALSIZECONTROL)) return ImagePlacement::Stretched;
  if (HasStyleMask(style, SS_RIGHTJUST)) return ImagePlacement::BottomRight;
  return ImagePlacement::AtOrigin;
}

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
  if (const LRESULT icon = SendMessageW(window, STM_GETICON, 0, 0)) return platform::FromParam<HANDLE>(icon);
  return platform::FromParam<HANDLE>(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

bool KeepsNativeDrawing(HWND window, const SkinStaticEntry& entry) {
  if (entry.kind == StaticKind::Text) return IsBlank(GetControlText(window));
  return ImageOf(window) == nullptr;
}

// The native drawing, put on the parent's skinned background.
void PaintNatively(const StaticRef& control, HDC dc, const RECT& client) {
  const HWND window = control->window;
  SkinCanvas behind(*control.record, window, client);
  SkinMessage{window, WM_PAINT, 0, 0}.ForwardOnto(behind.dc());
  behind.CopyTo(dc);
}

SkinCanvas Picture(const StaticRef& control, const RECT& client);

// The one painter of the static's client, for WM_PAINT and WM_PRINTCLIENT:
// the native drawing or the skin's picture, onto `dc`, which clips it to
// what is dirty. A picture static without a picture draws nothing: the
// window keeps what it shows.
void Paint(const StaticRef& control, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  const HWND window = control->window;
  RECT client = {};
  GetClientRect(window, &client);
  if (KeepsNativeDrawing(window, *control)) {
    PaintNatively(control, dc, client);
  } else if (SkinCanvas picture = Picture(control, client); picture.dc()) {
    SkinGetClippedDC(window, dc);
    picture.CopyTo(dc);
  }
}

LRESULT OnPaint(const SkinMessage& m, const StaticRef& control) {
  if (!control) return m.Forward();
  {
    platform::PaintScope paint(m.window);
    Paint(control, paint.dc(), paint.dirty());
  }
  return DefWindowProcW(m.window, WM_PAINT, m.wParam, m.lParam);
}

LRESULT OnPrintClient(const SkinMessage& m, const StaticRef& control) {
  if (!control) return m.Forward();
  RECT client = {};
  GetClientRect(m.window, &client);
  platform::SavedDCState keep(m.dc());
  Paint(control, m.dc(), client);
  return 0;
}

LRESULT OnEraseBackground(const SkinMessage& m) {
  SetBkMode(m.dc(), TRANSPARENT);
  const SkinProp colour = IsWindowEnabled(m.window) ? prop::Kj_Ztys : prop::Kj_Jzzts;
  return LRESULT(SetTextColor(m.dc(), COLORREF(GetSkinProp(m.window, colour))));
}

// The new text is painted at once, after the control's own procedure has
// stored it (a static paints its own look as it does); its entry is found
// again after that procedure ran.
LRESULT OnSetText(const SkinMessage& m) {
  const LRESULT result = m.Forward();
  StaticSkinPaint(StaticIsListed(m.window));
  return result;
}

void DrawBitmap(gdip::Graphics& g, HWND window, ImagePlacement placement, const RECT& client) {
  HANDLE handle = platform::FromParam<HANDLE>(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (!handle) handle = platform::FromParam<HANDLE>(SendMessageW(window, STM_GETICON, 0, 0));
  if (!handle) return;
  gdip::Bitmap image;
  if (!image.CreateFromHBITMAP(static_cast<HBITMAP>(handle)) && !image.CreateFromHICON(static_cast<HICON>(handle))) {
    return;
  }
  const float w = float(image.GetWidth()), h = float(image.GetHeight());
  const float cw = float(client.right), ch = float(client.bottom);
  switch (placement) {
    case ImagePlacement::Stretched:   g.DrawImageRect(image, 0, 0, cw, ch); break;
    case ImagePlacement::Centred:     g.DrawImageRect(image, (cw - w) / 2, (ch - h) / 2, w, h); break;
    case ImagePlacement::BottomRight: g.DrawImageRect(image, cw - w, ch - h, w, h); break;
    default:                          g.DrawImageRect(image, 0, 0, w, h); break;
  }
}

void DrawIconOf(HDC dc, HWND window, ImagePlacement placement, const RECT& client) {
  const auto icon = platform::FromParam<HICON>(SendMessageW(window, STM_GETICON, 0, 0));
  if (!icon) return;
  if (placement == ImagePlacement::Stretched) {
    DrawIconEx(dc, 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
  } else {
    DrawIcon(dc, 0, 0, icon);
  }
}

}  // namespace

StaticRef StaticIsListed(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Statics); }

void StaticSkinInstall(SkinWindowRecord& record, HWND parent, int32_t extraWidth, int32_t extraHeight) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, L"Static", [&](HWND child) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    SkinTakeEntry(record, &SkinWindowRecord::Statics, child, {.procedure = &StaticSkinWndProc},
                  [&](const StaticRef& entry) {
                    SkinFontInfo font = SkinControlFontMetrics(child);
                    if (font.face.empty()) font = SkinControlFontMetrics(GetParent(child));
                    entry->faceName = font.face.empty() ? kDefaultFontFace : font.face;
                    entry->fontSize = font.size == 0 ? kDefaultFontSize : font.size;
                    entry->fontStyle = font.style;
                    entry->kind = KindOf(style);
                    if (entry->kind != StaticKind::Text) entry->imagePlacement = PlacementOf(style);
                    if (entry->kind == StaticKind::Text) {
                      // Room for the glow and the wider layout of the painter.
                      const RECT r = platform::WindowRectInClient(child, parent);
                      SetWindowPos(child, HWND_TOP, r.left, r.top, r.right - r.left + extraWidth,
                                   r.bottom - r.top + extraHeight, SWP_NOZORDER | SWP_NOOWNERZORDER);
                    }
                  });
  });
}

namespace {

// The skin's part of a message to StaticSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const StaticRef control = StaticIsListed(window);
  switch (message) {
    case WM_DESTROY:           SkinDeleteControlBrush(window); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(control, window); break;
    case WM_MOVE:              InvalidateRect(window, nullptr, TRUE); break;
    case WM_ERASEBKGND:        return OnEraseBackground(m);
    case WM_PAINT:             return OnPaint(m, control);
    case WM_PRINTCLIENT:       return OnPrintClient(m, control);
    case WM_SETTEXT:           return OnSetText(m);
    default:                   break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK StaticSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

void StaticSkinPaint(const StaticRef& control) {
  if (!control || !control->window) return;
  const HWND window = control->window;
  RECT client = {};
  GetClientRect(window, &client);
  SkinCanvas picture = Picture(control, client);
  if (!picture.dc()) return;
  platform::WindowDC screen = SkinGetClippedDC(window);
  picture.CopyTo(screen.get());
}

namespace {

SkinTextLines ShownLines(const SkinStaticEntry& entry, SIZE clientSize);

// What lies beneath the static with the skin's text, icon or picture over
// it; nothing for a picture static without a picture.
SkinCanvas Picture(const StaticRef& control, const RECT& client) {
  const SkinStaticEntry& entry = *control;
  const HWND window = entry.window;
  const bool icon = entry.kind == StaticKind::Icon;
  SkinCanvas buffer(*control.record, window, client,
                    {.drawing = icon ? SkinCanvasDrawing::None : SkinCanvasDrawing::ThroughDc});
  if (!buffer.dc()) return {};
  if (entry.kind == StaticKind::Bitmap && !ImageOf(window)) return {};
  if (icon) {
    DrawIconOf(buffer.dc(), window, entry.imagePlacement, client);
  } else if (buffer) {
    if (entry.kind == StaticKind::Text) {
      // Broken into lines here, so that no line runs past the client area:
      // GDI+ would otherwise wrap at the layout's edge or cut a character.
      const SkinTextLines lines = ShownLines(entry, {client.right, client.bottom});
      const gdip::RectF layout =
          SkinMakeRect(kTextLayoutX, 0, float(client.right) - kTextLayoutX, float(client.bottom));
      SkinDrawControlText(buffer.graphics(), lines.Joined(), layout,
                          {.textColour = kTextColour,
                           .glowColour = kGlowColour,
                           .blurDivisor = kGlowBlurDivisor,
                           .face = entry.faceName,
                           .style = entry.fontStyle,
                           .size = float(entry.fontSize),
                           .wrap = false});
    } else if (entry.kind == StaticKind::Bitmap) {
      DrawBitmap(buffer.graphics(), window, entry.imagePlacement, client);
    }
  }
  buffer.EndDrawing();
  return buffer;
}

// Breaking a text into lines measures it with GDI+ piece by piece (a
// quarter of a millisecond for a box's message under Wine), and one box asks
// for the same lines when it is laid out, again when it is shown and when its
// text is painted, as the next box with the same message does: the last few
// answers are kept. They depend on nothing but the text, the width and the
// font. A line ends at the last good break within what fits of it
// (line_breaks.h), so the lines made for one width are also those of every
// narrower width down to their widest line: the width a laid-out box's
// static is painted at.
struct MeasuredText {
  std::string text;
  float width;
  SkinFontInfo font;
  SkinTextLines lines;
  bool Answers(const std::string& t, float w, const SkinFontInfo& f) const {
    return lines.width <= w && w <= width && text == t && font.size == f.size && font.style == f.style &&
           font.face == f.face;
  }
};
// The engine's cache of them, the latest first.
struct MeasuredTexts {
  std::deque<MeasuredText> kept;
};

SkinTextLines MeasuredLines(const std::string& text, float width, const SkinFontInfo& font) {
  constexpr size_t kKept = 4;
  std::deque<MeasuredText>& kept = SkinEngineCache<MeasuredTexts>().kept;
  const auto found =
      std::find_if(kept.begin(), kept.end(), [&](const MeasuredText& m) { return m.Answers(text, width, font); });
  if (found != kept.end()) return found->lines;
  SkinTextLines lines = SkinLayOutControlText(text, width, font);
  kept.push_front(MeasuredText{text, width, font, lines});
  if (kept.size() > kKept) kept.pop_back();
  return lines;
}

SkinFontInfo FontOf(const SkinStaticEntry& entry) { return {entry.faceName, entry.fontSize, entry.fontStyle}; }

SkinTextLines TextLines(const SkinStaticEntry& entry, int32_t clientWidth) {
  if (entry.kind != StaticKind::Text) return {};
  return MeasuredLines(GetControlText(entry.window), float(clientWidth - kGlowRight), FontOf(entry));
}

SkinTextLines ShownLines(const SkinStaticEntry& entry, SIZE clientSize) {
  SkinTextLines lines = TextLines(entry, clientSize.cx);
  if (lines.lines.empty() || StaticTextClientSize(lines).cy <= clientSize.cy) return lines;
  const SkinFontInfo font = FontOf(entry);
  const float spacing = lines.height / float(lines.lines.size());
  const size_t fit = size_t(std::max(0.0f, float(clientSize.cy - kGlowBelow) / spacing));
  lines.lines.resize(std::clamp<size_t>(fit, 1, lines.lines.size()));
  lines.height = spacing * float(lines.lines.size());
  // Characters come off the last line's end until the ellipsis fits beside
  // what is left on one line.
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

}  // namespace

bool StaticShowsSkinnedText(const StaticRef& control) { return control && control->kind == StaticKind::Text; }

SkinTextLines StaticTextLines(const StaticRef& control, int32_t clientWidth) {
  return control ? TextLines(*control, clientWidth) : SkinTextLines{};
}

SkinTextLines StaticTextLines(HWND window, int32_t clientWidth) {
  return StaticTextLines(StaticIsListed(window), clientWidth);
}

SIZE StaticTextClientSize(const SkinTextLines& lines) {
  return {LONG(std::ceil(lines.width)) + kGlowRight, LONG(std::ceil(lines.height)) + kGlowBelow};
}

SkinTextLines StaticShownLines(HWND window, SIZE clientSize) {
  const StaticRef control = StaticIsListed(window);
  return control ? ShownLines(*control, clientSize) : SkinTextLines{};
}

}  // namespace korvath::skin
