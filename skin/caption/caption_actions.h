#pragma once
// What a click on a caption item does.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// Carries out caption item `item` (1-based) of the form: close,
// maximise or restore (flags and tooltip text first), minimise, or the main
// menu's, help's or item's own routine. Window changes are posted as
// WM_SYSCOMMAND, so they happen after the click has been handled. An item
// outside 1 .. count does nothing.
void SkinCaptionButtonAction(SkinWindowRecord& r, int32_t item);

// The same for record `recordNumber`, with the stdcall shape the engine
// keeps in CaptionClickCallback (the form's procedure calls it with the
// form's number); a number that names no record does nothing.
int32_t CALLBACK SkinCaptionButtonActionThunk(int32_t recordNumber, int32_t item);

}  // namespace korvath::skin
