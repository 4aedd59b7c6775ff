#pragma once
// The frames that a group box and a tab control draw over their background:
// a double rounded outline, the group box's caption on a cleared strip of it,
// the tab control's page frame, items and the opening of the selected tab.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "skin/control/container_skin.h"

namespace korvath::skin {

// The group box of the container entry, into `dc` (its client area at the
// origin). A group box without a caption keeps its frame lines whole.
void GroupBoxSkinPaint(const ContainerRef& group, HDC dc);

// The tab control's page frame, its items and the gap under the selected tab.
void TabSkinPaint(const ContainerRef& tab, HDC dc);

// The width the text takes in the font, whole pixels plus one; 1 for an empty
// text or a font that cannot be made.
int32_t SkinMeasureTextWidth(std::string_view text, std::string_view faceName, int32_t size, int32_t style);

}  // namespace korvath::skin
