#pragma once
// Where a point of a skinned form's client area falls: the caption-button
// strip, a caption item, a status-bar segment. Points are client
// coordinates; an element's edges do not belong to it.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// True when the point lies in the form's strip: from two pixels left of it to
// its right end, from row 0 to its height (edges included).
bool SkinPointInButtonStrip(const SkinWindowRecord& r, POINT point);
// The 1-based number of the first caption item holding the point strictly
// inside its hit rectangle; 0 when none (or the point is left of, above or
// below the strip).
int32_t SkinFindButtonAtPoint(const SkinWindowRecord& r, int32_t x, int32_t y);
// The 1-based number of the status-bar segment holding the point; 0 when the
// form has no status bar or the point is on none.
int32_t SkinFindStatusSectionAtPoint(const SkinWindowRecord& r, int32_t x, int32_t y);
// The 1-based number of the first maximise/restore item; 0 when none.
int32_t SkinFindMaximizeItem(const SkinWindowRecord& r);

}  // namespace korvath::skin
