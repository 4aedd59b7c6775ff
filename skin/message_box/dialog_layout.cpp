#include "skin/message_box/dialog_layout.h"

#include <algorithm>
#include <vector>

#include "platform/gdi_object.h"
#include "platform/window_geometry.h"
#include "skin/control/static_skin.h"
#include "skin/core/window_record.h"
#include "skin/draw/control_text.h"
#include "skin/draw/window_region.h"

namespace korvath::skin {

namespace {

constexpr int kCornerEllipse = 5;
constexpr int kButtonGap = 5;
constexpr int kRowRightMargin = 12;
constexpr int kRowLeftMargin = 12;
constexpr int kRowBottomMargin = 33;
// The separator lies this far above the buttons, and one pixel below the
// taller of the icon and the text (whose client area keeps its glow's room).
constexpr int kBandBelowButtons = 7;
constexpr int kSeparatorGap = 1;
constexpr int kTextRightMargin = 20;
// Lines run at most this share of the work area's width (in eighths) before
// they break, unless the text does not fit the work area's height so.
constexpr int kReadableEighths = 5;

using platform::Width;
bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
using platform::Height;
using platform::WindowRect;
using platform::WindowRectIn;
using platform::WorkAreaOf;

// The push buttons among the box's direct children, in the system's order.
std::vector<HWND> PushButtons(HWND box) {
  std::vector<HWND> buttons;
  for (HWND b = FindWindowExW(box, nullptr, L"BUTTON", nullptr); b; b = FindWindowExW(box, b, L"BUTTON", nullptr)) {
    buttons.push_back(b);
  }
  return buttons;
}

int32_t LayOutButtons(HWND box, const std::vector<HWND>& buttons, int boxWidth, int boxHeight) {
  if (buttons.empty()) return 0;
  int rowWidth = kButtonGap * (int(buttons.size()) - 1);
  for (HWND b : buttons) rowWidth += Width(WindowRectIn(b, box));
  int x = boxWidth - rowWidth - kRowRightMargin;
  int32_t band = 0;
  for (HWND b : buttons) {
    const RECT r = WindowRectIn(b, box);
    MoveWindow(b, x, boxHeight - Height(r) - kRowBottomMargin, Width(r), Height(r), FALSE);
    band = boxHeight - WindowRectIn(b, box).top + kBandBelowButtons;
    x += Width(r) + kButtonGap;
  }
  return band;
}

// The static that shows the message, and the one that shows the icon (null
// when the box shows none).
struct BoxStatics {
  HWND text = nullptr;
  HWND icon = nullptr;
};

BoxStatics FindStatics(HWND box) {
  BoxStatics found;
  for (HWND s = FindWindowExW(box, nullptr, L"Static", nullptr); s; s = FindWindowExW(box, s, L"Static", nullptr)) {
    const LONG style = GetWindowLongW(s, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      // The box is not shown yet: its children's own style tells what shows.
      if (!found.icon && (style & WS_VISIBLE)) found.icon = s;
    } else if (!found.text && !GetControlText(s).empty()) {
      found.text = s;
    }
  }
  return found;
}

// Moves a child to a rectangle given in the box's window coordinates.
void PlaceChild(HWND box, HWND child, POINT origin, const RECT& r) {
  if (Same(r, WindowRectIn(child, box))) return;
  MoveWindow(child, r.left - origin.x, r.top - origin.y, Width(r), Height(r), TRUE);
}

// `r` moved (and, where it is larger, shrunk) so that it lies inside `area`.
RECT KeptInside(const RECT& r, const RECT& area) {
  const LONG width = std::min(Width(r), Width(area));
  const LONG height = std::min(Height(r), Height(area));
  const LONG left = std::max(area.left, std::min(r.left, area.right - width));
  const LONG top = std::max(area.top, std::min(r.top, area.bottom - height));
  return {left, top, left + width, top + height};
}

// The box's size and its children's places (window coordinates) for the text.
struct TextLayout {
  int width = 0;
  int height = 0;
  RECT text{};
  RECT icon{};
  bool cut = false;  // the text needs more height than the work area has
};

class BoxLayout {
 public:
  BoxLayout(HWND box, const SkinWindowRecord& record, const BoxStatics& statics, const StaticRef& text,
            const std::vector<HWND>& buttons)
      : box_(box),
        text_(text),
        base_(record.BoxBaseBounds),
        baseBody_(record.BoxBaseBody),
        statics_(statics),
        work_(WorkAreaOf(box)),
        origin_(DialogClientOrigin(box)) {
    for (HWND b : buttons) {
      const RECT r = WindowRectIn(b, box);
      rowWidth_ += Width(r) + (rowWidth_ > 0 ? kButtonGap : 0);
      buttonHeight_ = std::max(buttonHeight_, Height(r));
    }
  }

  TextLayout ForText() const {
    const RECT text = WindowRectIn(statics_.text, box_);
    const RECT icon =
        statics_.icon ? WindowRectIn(statics_.icon, box_) : RECT{text.left, text.top, text.left, text.top};
    // The body starts where the system's did; the taller of icon and text
    // starts it, the other is centred on it.
    const int bodyTop = baseBody_.top;
    const int readable = Width(work_) * kReadableEighths / 8;
    // A box the system made no wider than is readable never narrows.
    const int least =
        std::max(Width(base_) <= readable ? Width(base_) : 0, rowWidth_ + kRowLeftMargin + kRowRightMargin);
    TextLayout laid = ForWidth(std::max(readable, least), least, text.left, bodyTop, icon);
    if (laid.cut) laid = ForWidth(Width(work_), least, text.left, bodyTop, icon);
    return laid;
  }

  // Centred where the system put the box, inside the work area.
  RECT PlaceFor(int width, int height) const {
    const LONG left = base_.left + (Width(base_) - width) / 2;
    const LONG top = base_.top + (Height(base_) - height) / 2;
    return KeptInside({left, top, left + width, top + height}, work_);
  }

  POINT origin() const { return origin_; }

 private:
  // Lines no wider than the box of `widest` allows; the box as wide as they
  // need, at least `least` and at most the work area.
  TextLayout ForWidth(int widest, int least, int textLeft, int bodyTop, const RECT& icon) const {
    const SIZE frame = StaticFrameSize();
    const SkinTextLines lines = StaticTextLines(text_, widest - textLeft - kTextRightMargin - frame.cx);
    const SIZE inner = StaticTextClientSize(lines);
    const SIZE size{inner.cx + frame.cx, inner.cy + frame.cy};
    const int bodyHeight = std::max<int>(size.cy, Height(icon));
    TextLayout laid;
    laid.width = std::min(std::max(least, textLeft + int(size.cx) + kTextRightMargin), Width(work_));
    // As much higher as the body is: the system's gap above the separator
    // stays. It never closes: the buttons' top lies kBandBelowButtons under
    // the separator, and they are placed kRowBottomMargin above the box's
    // height from the client corner.
    const int bodyBottom = bodyTop + bodyHeight;
    laid.height = std::max<int>(Height(base_) + bodyBottom - baseBody_.bottom,
                                bodyBottom + kSeparatorGap + kBandBelowButtons - origin_.y + buttonHeight_ +
                                    kRowBottomMargin);
    const int separator = laid.height + origin_.y - buttonHeight_ - kRowBottomMargin - kBandBelowButtons;
    const int textTop = bodyTop + (bodyHeight - size.cy) / 2;
    // A text taller than the work area loses its last lines, never its
    // separator: the static ends above it and shows whole lines only, the
    // last one ending in an ellipsis (static_skin.h).
    const int lost = std::max(0, laid.height - Height(work_));
    laid.cut = lost > 0;
    laid.height -= lost;
    const int textBottom = std::min<int>(textTop + size.cy, separator - lost - kSeparatorGap);
    laid.text = {textLeft, textTop, textLeft + size.cx, textBottom};
    const int iconTop = bodyTop + (bodyHeight - Height(icon)) / 2;
    laid.icon = {icon.left, iconTop, icon.right, iconTop + Height(icon)};
    return laid;
  }

  // What the text static's window adds to its client area.
  SIZE StaticFrameSize() const {
    const RECT client = platform::ClientRect(statics_.text);
    const RECT outer = WindowRectIn(statics_.text, box_);
    return {Width(outer) - client.right, Height(outer) - client.bottom};
  }

  HWND box_;
  // The text static's entry: its skin's face, size and kind measure the text.
  const StaticRef& text_;
  RECT base_;
  RECT baseBody_;
  BoxStatics statics_;
  RECT work_;
  POINT origin_;
  int rowWidth_ = 0;
  int buttonHeight_ = 0;
};

}  // namespace

POINT DialogClientOrigin(HWND box) {
  // The box's outer corner lies as far before its client area's corner.
  const RECT r = platform::WindowRectInClient(box, box);
  return {-r.left, -r.top};
}

void DialogApplyRoundRegion(HWND box) {
  const RECT r = WindowRect(box);
  SkinSetRoundedRegion(box, Width(r), Height(r), kCornerEllipse);
}

void DialogKeepSystemLayout(SkinWindowRecord& record, const RECT& bounds) {
  HWND box = record.Window;
  record.BoxBaseBounds = bounds;
  const BoxStatics statics = FindStatics(box);
  RECT body{};
  for (HWND part : {statics.text, statics.icon}) {
    if (!part) continue;
    const RECT r = WindowRectIn(part, box);
    if (IsRectEmpty(&body)) {
      body = r;
    } else {
      UnionRect(&body, &body, &r);
    }
  }
  record.BoxBaseBody = body;
}

void SkinLayoutCaptionParts(SkinWindowRecord& box) {
  const int32_t width = Width(WindowRect(box.Window));
  box.ButtonStripLeft = width - 36;
  for (CaptionItem& item : box.CaptionItems) item.Bounds = gdip::RectF{float(width - 36), 2.0f, 36.0f, 22.0f};
}

int32_t DialogLayOut(SkinWindowRecord& record) {
  HWND box = record.Window;
  const RECT before = WindowRect(box);
  const std::vector<HWND> buttons = PushButtons(box);
  const BoxStatics statics = FindStatics(box);
  // A text the skin does not paint keeps the system's layout (at the size
  // kept for it, widened) and drawing.
  const StaticRef text = StaticIsListed(statics.text);
  if (StaticShowsSkinnedText(text)) {
    const BoxLayout layout(box, record, statics, text, buttons);
    const TextLayout laid = layout.ForText();
    const RECT place = layout.PlaceFor(laid.width, laid.height);
    if (!Same(place, before)) {
      SetWindowPos(box, nullptr, place.left, place.top, laid.width, laid.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    PlaceChild(box, statics.text, layout.origin(), laid.text);
    if (statics.icon) PlaceChild(box, statics.icon, layout.origin(), laid.icon);
  } else {
    const RECT base = record.BoxBaseBounds;
    const RECT place =
        KeptInside({before.left, before.top, before.left + Width(base), before.top + Height(base)}, WorkAreaOf(box));
    if (!Same(place, before)) {
      SetWindowPos(box, nullptr, place.left, place.top, Width(place), Height(place), SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  const RECT r = WindowRect(box);
  // A region set again repaints the whole box: only for a new size.
  RECT region{};
  const bool rounded = GetWindowRgnBox(box, &region) != ERROR;
  if (!rounded || Width(r) != Width(before) || Height(r) != Height(before)) DialogApplyRoundRegion(box);
  SkinLayoutCaptionParts(record);
  record.ButtonBandHeight = LayOutButtons(box, buttons, Width(r), Height(r));
  return record.ButtonBandHeight;
}

}  // namespace korvath::skin
