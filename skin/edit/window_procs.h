#pragma once
// The subclass procedures of the edit and list skins. Each finds its
// control's entry through the control's properties once per message (again
// only after the procedure behind it ran), does its work and hands the
// message to the procedure it replaced (`Hw_hProc`). Each answers
// WM_PRINTCLIENT with the picture its WM_PAINT shows, but the edit's, whose
// client area is the native edit's own paint.
#include <windows.h>

namespace korvath::skin {

struct SkinWindowRecord;

// Skinned edits (also a combo box's inner edit and an IP-address control's
// fields in transparent mode): focus, hover and the frame ring, the
// scroll-bar overlays, the transparent-mode background.
LRESULT CALLBACK EditSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
// Skinned combo boxes: all of the control's own drawing is the skin's.
LRESULT CALLBACK ComboSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
// Skinned list boxes, drop-down lists, list views, tree views, IP-address
// controls and date-time pickers.
LRESULT CALLBACK ChildControlSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
// Children with a transparent background that are not edits.
LRESULT CALLBACK TransparentChildSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// The answer to a child's WM_CTLCOLOR* in transparent mode: the child's
// text colour (its disabled colour when disabled, with `disabledColour`), a
// transparent background mode, and the child's kept background brush
// (`owner`: the record of the skinned control the child lies in).
HBRUSH SkinChildColourBrush(const SkinWindowRecord& owner, HDC childDc, HWND child, bool disabledColour);

}  // namespace korvath::skin
