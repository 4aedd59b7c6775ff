#pragma once
// The geometry of a skinned form's caption-button strip and status bar,
// recomputed from the client size; painters and hit tests only read it.
#include <cstdint>
#include <optional>
#include <vector>

#include "skin/core/window_record.h"

namespace korvath::skin {

// Right-aligns the form's strip, gives each caption item its hit rectangle
// (27 pixels apart; close 40 wide) and moves the items' tooltips and texts
// with them.
void SkinLayoutCaptionButtons(SkinWindowRecord& r);
// Installs a status bar `height` pixels high with copies of the segments (one
// segment filling the bar when none are given). SkinLayoutStatusBar places
// them.
void SkinSetStatusBar(SkinWindowRecord& r, int32_t height,
                      const std::optional<std::vector<StatusBarSegment>>& segments = std::nullopt);
// Places the bar along the client bottom and the segments along it: fixed
// widths as given, segments of width -1 sharing what is left equally.
void SkinLayoutStatusBar(SkinWindowRecord& r);

}  // namespace korvath::skin
