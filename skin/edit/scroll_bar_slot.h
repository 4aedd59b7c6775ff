#pragma once
// One scroll bar of a control's entry. Edits ("Edit", "RichEdit20A") keep
// their bars in the edit list, every other class in the child list.
#include <windows.h>

#include "skin/core/control_entries.h"
#include "skin/core/entry_lookup.h"

namespace korvath::skin {

enum class ScrollBarAxis { Vertical, Horizontal };
struct ScrollBarSlot {
  HWND overlay = nullptr;           // null: the bar has no overlay
  ScrollBarParts* parts = nullptr;  // null: the control has no entry
};
ScrollBarSlot SkinScrollBarSlot(HWND control, ScrollBarAxis axis);

}  // namespace korvath::skin
