#include "tests/skin/message_box/box_probes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string_view>
#include <vector>

#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "platform/window_geometry.h"
#include "skin/control/static_skin.h"
#include "skin/core/window_list.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/skin_graphics.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

using testsupport::PixelBuffer;

// Dark enough to be the text itself, not its glow or an anti-aliased edge;
// and dark enough to show a pixel of the text that the reference draws dark.
constexpr int kInk = 0x60;
constexpr int kShownInk = 0xA0;
// Below the caption and inside the outline: the box's body.
constexpr int kBodyTop = 28;
constexpr int kBodyInset = 4;
// Near the white of a box's body, under the reference lines.
constexpr uint32_t kPaperWhite = 0xF4F4F4;
// Room around a line drawn alone, so that nothing of it is cut.
constexpr int kReferencePad = 40;
// "…" in code page 936: the end of a text cut short.
constexpr std::string_view kEllipsis = "\xA1\xAD";

using platform::Width;
using platform::Height;

// A child's rectangle in its box's window coordinates.
RECT InBox(HWND box, HWND child) {
  RECT b{}, r{};
  GetWindowRect(box, &b);
  GetWindowRect(child, &r);
  OffsetRect(&r, -b.left, -b.top);
  return r;
}

struct BoxParts {
  HWND text = nullptr;
  HWND icon = nullptr;
  std::vector<RECT> buttons;  // window coordinates
};

BoxParts PartsOf(HWND box) {
  BoxParts parts;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(c, name, 16);
    if (lstrcmpiW(name, L"Button") == 0) {
      parts.buttons.push_back(InBox(box, c));
    } else if (lstrcmpiW(name, L"Static") == 0) {
      if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        if (IsWindowVisible(c)) parts.icon = c;
      } else if (GetWindowTextLengthW(c) > 0) {
        parts.text = c;
      }
    }
  }
  return parts;
}

const SkinStaticEntry* StaticEntryOf(HWND window) {
  const SkinWindowRecord* record = SkinRecordOfWindow(GetParent(window));
  if (!record) return nullptr;
  for (const SkinStaticEntry& entry : record->Statics) {
    if (entry.window == window) return &entry;
  }
  return nullptr;
}

// The line drawn alone as the static draws its text (the same layout corner,
// face, size and style, unwrapped) on white, kReferencePad pixels inside a
// canvas big enough for all of it: `width` wide and `height` high, the
// line's top at `top` within the text's first pixel row (0 to 1).
PixelBuffer LineAlone(const std::string& line, const SkinStaticEntry& entry, float top, int width, int height) {
  const int w = width + 2 * kReferencePad, h = height + 2 * kReferencePad;
  const platform::DibSection dib = platform::CreateDibSection32(w, h);
  const platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  if (!dib.bitmap || !dc) return {};
  const platform::SelectScope selected(dc.get(), dib.bitmap.get());
  {
    gdip::Graphics g;
    if (!SkinGraphicsOnDC(g, dc.get())) return {};
    g.Clear(gdip::Argb(0xFF000000u | kPaperWhite));
    SkinDrawControlText(g, line, SkinMakeRect(kReferencePad - 1.0f, kReferencePad + top, float(w), float(h)),
                        {.textColour = 0x000000,
                         .glowColour = 0xFFFFFF,
                         .face = entry.faceName,
                         .style = entry.fontStyle,
                         .size = float(entry.fontSize),
                         .wrap = false});
  }
  return testsupport::CaptureDC(dc.get(), 0, 0, w, h);
}

std::string Concatenated(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += line;
  return all;
}

// What a text keeps whatever its lines: no spaces or line breaks.
std::string WithoutBreaks(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n' || c == '\r'; });
  return text;
}

}  // namespace


bool WaitForFirstPaint(HWND box) {
  return testsupport::PumpUntil([box] {
    const SkinWindowRecord* record = SkinRecordOfWindow(box);
    return record && record->BackDC;
  });
}

void Press(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

int ProcessThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{sizeof entry};
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

int LayeredAlpha(HWND window) {
  BYTE alpha = 0;
  COLORREF key = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
  return alpha;
}

int Brightness(uint32_t rgb) { return int((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF)) / 3; }

bool WaitForFadeIn(HWND box) {
  if (!testsupport::PumpUntil([box] { return LayeredAlpha(box) == 240; }, 3000)) return false;
  PixelBuffer last;
  return testsupport::PumpUntil([&] {
    PixelBuffer now = testsupport::CaptureWindow(box);
    const bool settled = now.pixels == last.pixels;
    last = std::move(now);
    return settled;
  }, 3000);
}

std::string TextLayoutFaults(HWND box, const std::string& name) {
  std::ostringstream faults;
  RECT bounds{};
  GetWindowRect(box, &bounds);
  const int w = Width(bounds), h = Height(bounds);
  MONITORINFO monitor{sizeof monitor};
  GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT inside{};
  IntersectRect(&inside, &bounds, &monitor.rcWork);
  if (!EqualRect(&inside, &bounds)) faults << "the box (" << w << " x " << h << ") leaves the work area; ";

  const BoxParts parts = PartsOf(box);
  const SkinWindowRecord* record = SkinRecordOfWindow(box);
  const SkinStaticEntry* entry = parts.text ? StaticEntryOf(parts.text) : nullptr;
  if (!record || !entry) return faults.str() + "no skinned box with a skinned text";
  const RECT area = InBox(box, parts.text);
  const int separator = h - record->ButtonBandHeight;
  if (area.bottom > separator) faults << "the text area ends at " << area.bottom << ", below the separator at " << separator << "; ";
  for (const RECT& button : parts.buttons) {
    RECT overlap{};
    if (IntersectRect(&overlap, &area, &button)) faults << "the text area overlaps a button; ";
  }

  const PixelBuffer shown = testsupport::CaptureWindow(box);
  auto shownDark = [&](int x, int y, int limit) {
    return x >= 0 && y >= 0 && x < shown.width && y < shown.height && Brightness(shown.At(x, y)) < limit;
  };
  // Nothing of the text outside its area: the body's dark pixels are the
  // text's, the icon's and the buttons' captions.
  const RECT icon = parts.icon ? InBox(box, parts.icon) : RECT{};
  int stray = 0;
  for (int y = kBodyTop; y < h - kBodyInset; ++y) {
    for (int x = kBodyInset; x < w - kBodyInset; ++x) {
      const POINT p{x, y};
      if (!shownDark(x, y, kInk) || PtInRect(&area, p) || PtInRect(&icon, p)) continue;
      if (std::none_of(parts.buttons.begin(), parts.buttons.end(), [&](const RECT& b) { return PtInRect(&b, p); })) {
        ++stray;
      }
    }
  }
  if (stray > 0) faults << stray << " text pixels outside the text area; ";

  RECT client{};
  GetClientRect(parts.text, &client);
  const SkinTextLines lines = StaticShownLines(parts.text, {client.right, client.bottom});
  const std::string shownText = WithoutBreaks(Concatenated(lines.lines));
  const std::string wholeText = WithoutBreaks(GetControlText(parts.text));
  if (shownText != wholeText) {
    // Cut short with an ellipsis, only where the box has all the work area's
    // height.
    const bool cut = shownText.ends_with(kEllipsis) &&
                     wholeText.starts_with(shownText.substr(0, shownText.size() - kEllipsis.size()));
    if (!cut) {
      faults << "the lines do not hold the text; ";
    } else if (h < Height(monitor.rcWork)) {
      faults << "the text is cut short in a box lower than the work area; ";
    }
  }
  const float spacing = lines.lines.empty() ? 0 : lines.height / float(lines.lines.size());
  // The part of the area that shows: whole lines above the separator.
  const int shownRight = client.right - 1, shownBottom = std::min<int>(client.bottom, separator - area.top) - 1;
  for (size_t i = 0; i < lines.lines.size(); ++i) {
    // Drawn on a canvas as high as a line, at the same fraction of a pixel,
    // and compared `row` rows lower.
    const float top = spacing * float(i);
    const int row = int(std::floor(top));
    const PixelBuffer alone =
        LineAlone(lines.lines[i], *entry, top - float(row), client.right, int(std::ceil(spacing)) + 1);
    int matched = 0, total = 0, lastMatched = 0, lastTotal = 0, right = -1, bottom = -1;
    for (int y = 0; y < alone.height; ++y) {
      for (int x = 0; x < alone.width; ++x) {
        if (Brightness(alone.At(x, y)) < kInk) right = std::max(right, x), bottom = std::max(bottom, y + row);
      }
    }
    for (int y = 0; y < alone.height; ++y) {
      for (int x = 0; x < alone.width; ++x) {
        if (Brightness(alone.At(x, y)) >= kInk) continue;
        // Within a pixel of where the reference has it: a line is compared
        // for what it shows, not for its exact sub-pixel place.
        const int bx = area.left + x - kReferencePad, by = area.top + row + y - kReferencePad;
        bool hit = false;
        for (int dy = -1; dy <= 1 && !hit; ++dy) {
          for (int dx = -1; dx <= 1 && !hit; ++dx) hit = shownDark(bx + dx, by + dy, kShownInk);
        }
        ++total, matched += hit;
        if (x > right - 4) ++lastTotal, lastMatched += hit;
      }
    }
    if (total == 0) continue;  // a blank line
    right -= kReferencePad, bottom -= kReferencePad;
    if (right >= shownRight || bottom >= shownBottom) {
      faults << "line " << i + 1 << " reaches (" << right << ", " << bottom << ") of a text area that shows ("
             << shownRight << ", " << shownBottom << "); ";
    }
    if (matched * 10 < total * 9) faults << "line " << i + 1 << " shows " << matched << " of " << total << " text pixels; ";
    if (lastMatched * 4 < lastTotal * 3) faults << "line " << i + 1 << " has lost its last character; ";
  }
  const std::string found = faults.str();
  if (!found.empty()) testsupport::SaveFailureImage(shown, name);
  return found;
}

}  // namespace korvath::skin::test
