#pragma once
// How a skinned button finds its state: its `Hw_FuID` names the owner record,
// its `Hw_lbID` the entry in that record's button list. Both numbers are
// checked, and the entry must really be this button's, so a message that
// arrives after the owner's record moved or went finds nothing instead of
// another window's entry.
#include <windows.h>

#include "skin/core/found_entry.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

ButtonRef FindButton(HWND button);

// Style tests over the BUTTON type bits. A mask counts as present only when
// every bit of it is set, so 0x9 (auto radio) and 0xB (owner-drawn) are
// tested as a whole.
bool IsPushButtonStyle(HWND button);
bool IsAutoRadioButtonStyle(HWND button);
bool IsCheckBoxStyle(HWND button);

}  // namespace korvath::skin
