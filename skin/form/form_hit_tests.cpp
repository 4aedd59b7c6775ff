#include "skin/form/form_hit_tests.h"

#include "skin/core/window_record.h"

namespace korvath::skin {

namespace {

template <class Box>
bool StrictlyInside(const Box& box, float x, float y) {
  return x > float(box.x) && x < float(box.x + box.width) && y > float(box.y) && y < float(box.y + box.height);
}

}  // namespace

bool SkinPointInButtonStrip(const SkinWindowRecord& r, POINT point) {
  const int32_t x = point.x, y = point.y;
  return x >= r.ButtonStripLeft - 2 && x <= r.ButtonStripLeft + r.ButtonStripWidth && y >= 0 &&
         y <= r.ButtonStripHeight;
}

int32_t SkinFindButtonAtPoint(const SkinWindowRecord& r, int32_t x, int32_t y) {
  if (x < r.ButtonStripLeft || y < r.ButtonStripTop || y > r.ButtonStripTop + r.ButtonStripHeight)
    return 0;
  for (size_t i = 0; i < r.CaptionItems.size(); ++i)
    if (StrictlyInside(r.CaptionItems[i].Bounds, float(x), float(y))) return int32_t(i + 1);
  return 0;
}

int32_t SkinFindStatusSectionAtPoint(const SkinWindowRecord& r, int32_t x, int32_t y) {
  if (r.StatusBarHeight <= 0) return 0;
  const gdip::Rect& bar = r.StatusBarRect;
  if (x < bar.x || x > bar.x + bar.width || y < bar.y || y > bar.y + bar.height) return 0;
  for (size_t i = 0; i < r.StatusBarSegmentRects.size(); ++i)
    if (StrictlyInside(r.StatusBarSegmentRects[i], float(x), float(y))) return int32_t(i + 1);
  return 0;
}

int32_t SkinFindMaximizeItem(const SkinWindowRecord& r) {
  for (size_t i = 0; i < r.CaptionItems.size(); ++i)
    if (r.CaptionItems[i].Kind == CaptionItemKind::MaximizeRestore) return int32_t(i + 1);
  return 0;
}

}  // namespace korvath::skin
