#include "skin/caption/caption_layout.h"

#include <windows.h>

#include "platform/window_geometry.h"
#include "skin/core/engine_state.h"

namespace korvath::skin {

namespace {

constexpr int kItemPitch = 27;

int32_t Border(const SkinWindowRecord& r) { return r.HasBorder ? SkinEngine.forms.SkinResizeBorder : 0; }

}  // namespace

void SkinLayoutCaptionButtons(SkinWindowRecord& r) {
  if (r.Window) {
    r.ButtonStripLeft = platform::ClientRect(r.Window).right - r.ButtonStripWidth + 1;
    r.ButtonStripHeight = 22;
  }
  const float x0 = float(r.ButtonStripLeft + 2), y0 = float(r.ButtonStripTop + 1);
  for (size_t j = 0; j < r.CaptionItems.size(); ++j) {
    CaptionItem& item = r.CaptionItems[j];
    item.Bounds = {x0 + float(kItemPitch * int(j)), y0, item.Kind == CaptionItemKind::Close ? 40.0f : 26.0f, 18.0f};
    const RECT tool{LONG(item.Bounds.x), LONG(item.Bounds.y), LONG(item.Bounds.x + item.Bounds.width),
                    LONG(item.Bounds.y + item.Bounds.height)};
    r.Tips.SetToolRect(int32_t(j + 1), tool);
    r.Tips.UpdateText(int32_t(j + 1), item.TipText);
  }
}

void SkinSetStatusBar(SkinWindowRecord& r, int32_t height,
                      const std::optional<std::vector<StatusBarSegment>>& segments) {
  const RECT client = platform::ClientRect(r.Window);
  const int32_t border = Border(r);
  r.StatusBarHeight = height;
  const int32_t top = client.bottom - border - height - 1;
  r.StatusBarRect = {border, top, client.right - 2 * border, height};
  if (!segments) {
    r.StatusBarSegmentRects.assign(1, r.StatusBarRect);
    r.StatusBarSegments.assign(1, StatusBarSegment{.width = -1});
    return;
  }
  r.StatusBarSegments = *segments;
  r.StatusBarSegmentRects.clear();
  for (const StatusBarSegment& segment : *segments)
    r.StatusBarSegmentRects.push_back({0, top, segment.width == -1 ? 0 : segment.width, height});
}

void SkinLayoutStatusBar(SkinWindowRecord& r) {
  const RECT client = platform::ClientRect(r.Window);
  const int32_t border = Border(r);
  r.StatusBarRect.x = border;
  r.StatusBarRect.y = client.bottom - r.StatusBarHeight - border - 1;
  r.StatusBarRect.width = client.right - 2 * border;
  int32_t fixed = 0, stretching = 0;
  for (const StatusBarSegment& segment : r.StatusBarSegments) {
    if (segment.width == -1)
      ++stretching;
    else
      fixed += segment.width;
  }
  const int32_t share = stretching > 0 ? (client.right - 2 * border - fixed) / stretching : 0;
  int32_t x = border;
  for (size_t i = 0; i < r.StatusBarSegmentRects.size() && i < r.StatusBarSegments.size(); ++i) {
    gdip::Rect& box = r.StatusBarSegmentRects[i];
    const int32_t width = r.StatusBarSegments[i].width == -1 ? share : r.StatusBarSegments[i].width;
    box.x = x;
    box.y = r.StatusBarRect.y;
    box.width = width;
    x += width;
  }
}

}  // namespace korvath::skin
