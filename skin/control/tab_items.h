#pragma once
// The tabs of a skinned tab control, and the outlines of a tab on the other
// sides (the top one, TabShapePathA, is shared with the caption buttons).
#include <windows.h>

#include <cstdint>

#include "skin/control/container_skin.h"

namespace korvath::gdip {
class GraphicsPath;
}

namespace korvath::skin {

// Open outlines facing the page: tabs at the left (cut corners), at the
// bottom (cut corners) and at the right (rounded corners).
void TabShapePathB(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r);
void TabShapePathC(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r);
void TabShapePathD(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r);

// Paints tab `index` of a registered tab control into `dc` (its client area
// at the origin); `side`: 0 top, 1 left, 2 right, 3 bottom; `ownTint`: an
// unselected tab takes the control's own tint (TabSkinPaint tells).
void TabSkinItemsPaint(const ContainerRef& tab, HDC dc, int32_t index, bool selected, int32_t side,
                       bool ownTint);

// True when `window` is the window of an entry of the record's container
// list.
bool TabFindContainerEntry(const SkinWindowRecord& record, HWND window);

}  // namespace korvath::skin
