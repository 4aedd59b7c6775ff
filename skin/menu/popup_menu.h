#pragma once
// Popup menus of a skinned form that are described in MenuItemList: the
// menu window gets a rounded region and a frame in the skin's colours when it
// opens, and its owner-drawn items are measured from the description.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// The pending one-shot hook that catches the next menu window as it opens
// (MenuWinEventHook, in the engine's state): empty when none is pending.

// Installs the one-shot hook (a hook still pending is removed first).
void MenuSkinHookInstall();
// The hook's procedure: skins a "#32768" window at its menu-start event, and
// removes the hook whatever the window was.
void CALLBACK MenuSkinWinEventProc(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                   DWORD thread, DWORD time);
// Region, subclass (once) and the first frame paint of a menu window.
void MenuSkinAttach(HWND menu);
// True when the window's extended style has WS_EX_LAYERED.
bool SkinGetWindowStyleBit(HWND window);
// Paints the menu window's non-client frame.
void MenuSkinPaintFrame(HWND menu);
LRESULT CALLBACK MenuSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Fills in an owner-drawn menu item's size from its description: the entry's
// item width, and its item height (12 for a separator). An item whose data
// names no described menu or no item of it is left untouched.
void MenuSkinMeasureItem(HWND owner, MEASUREITEMSTRUCT& item);

}  // namespace korvath::skin
