#include "skin/core/window_record.h"

namespace korvath::skin {

// Every per-kind list starts with one zeroed element, which its first
// control takes over (SkinTakeEntrySlot); the status bar with one zeroed
// segment and rectangle.
SkinWindowRecord::SkinWindowRecord()
    : StatusBarSegments(1),
      StatusBarSegmentRects(1),
      Buttons(1),
      Edits(1),
      Children(1),
      Trackbars(1),
      Progresses(1),
      Combos(1),
      UpDowns(1),
      Headers(1),
      Toolbars(1),
      Statics(1),
      Labels(1),
      Containers(1),
      CaptionChildRects(1) {}

}  // namespace korvath::skin
