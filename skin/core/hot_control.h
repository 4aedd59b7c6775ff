#pragma once
// Which skinned control the mouse is over, kept once per owner record: its
// entry number and its kind. A control draws its hot look when the mouse
// comes to it from elsewhere (another control, another kind, or nowhere),
// not at every move; its mouse-leave clears the record's number, so that the
// next move draws the hot look again.
#include <windows.h>

#include <cstdint>

#include "skin/core/window_record.h"

namespace korvath::skin {

struct SkinHotMove {
  HWND window = nullptr;
  int32_t number = 0;  // the control's entry number in its owner's list for its kind
  HoverKind kind = HoverKind::Button;
  // Edits inside different parents (a combo box's own edit, say) are
  // different controls even with one number.
  HWND parent = nullptr;
  // The mouse-tracking request made for the move; 0: none (the control has
  // one running already).
  DWORD tracking = TME_LEAVE;
};

// Asks for the control's mouse notifications, makes it the record's hot
// control and answers whether the mouse came to it from elsewhere.
bool SkinHotEnter(SkinWindowRecord& record, const SkinHotMove& move);

// The mouse has left the record's hot control.
inline void SkinHotLeave(SkinWindowRecord& record) { record.PrevHotControl = 0; }

}  // namespace korvath::skin
