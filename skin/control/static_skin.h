#pragma once
// Static controls of message boxes: their text drawn with a soft white glow,
// their icon or bitmap, over the box's skinned background. Statics with
// nothing of their own to show keep their native drawing over it.
#include <windows.h>

#include <cstdint>

#include "skin/core/found_entry.h"
#include "skin/draw/control_text.h"

namespace korvath::skin {

struct SkinWindowRecord;

// The static's entry in the static list of the record its `Hw_FuID` names,
// found at the place its `Hw_lbID` carries (the entry's number): empty when
// the static is not listed there.
StaticRef StaticIsListed(HWND window);

LRESULT CALLBACK StaticSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the static's entry in full.
void StaticSkinPaint(const StaticRef& control);

// True for a static whose text the skin paints (`control`: its entry, as
// StaticIsListed finds it once for the questions here).
bool StaticShowsSkinnedText(const StaticRef& control);
// The lines a skinned text static shows in a client area `clientWidth`
// wide: its text broken where the face, size and style it is painted with
// make it reach the width (none for a static that is not skinned text).
SkinTextLines StaticTextLines(const StaticRef& control, int32_t clientWidth);
SkinTextLines StaticTextLines(HWND window, int32_t clientWidth);
// The client size in which a text static shows these lines whole, glow
// included: a static of that size breaks its text into the same lines.
SIZE StaticTextClientSize(const SkinTextLines& lines);
// The lines a skinned text static shows in a client area of `clientSize`:
// its StaticTextLines when they fit the height; else the whole lines that
// fit (one at least), the last one cut short where it ends in an ellipsis
// ("…") within the width, so that the text shows where it is cut.
SkinTextLines StaticShownLines(HWND window, SIZE clientSize);

}  // namespace korvath::skin
