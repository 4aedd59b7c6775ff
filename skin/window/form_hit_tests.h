#pragma once
// Where a point of a skinned form's client area falls: the caption-button
// strip, a caption item, a status-bar segment. Points are client
// coordinates; an element's edges do not belong to it.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// True when the packed point lies in the strip: from two pixels left of it to
// its right end, from row 0 to its height (edges included).
bool SkinPointInButtonStrip(int32_t record, LPARAM point);
// The 1-based number of the first caption item holding the point strictly
// inside its hit rectangle; 0 when none (or the point is left of, above or
// below the strip).
int32_t SkinFindButtonAtPoint(int32_t record, int32_t x, int32_t y);
// The 1-based number of the status-bar segment holding the point; 0 when the
// form has no status bar or the point is on none.
int32_t SkinFindStatusSectionAtPoint(int32_t record, int32_t x, int32_t y);
// The 1-based number of the first maximise/restore item; 0 when none.
int32_t SkinFindMaximizeItem(int32_t record);

// The signed client coordinates packed in a mouse message's lParam.
inline int32_t PointX(LPARAM point) { return int16_t(LOWORD(point)); }
inline int32_t PointY(LPARAM point) { return int16_t(HIWORD(point)); }

}  // namespace korvath::skin
