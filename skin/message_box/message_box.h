#pragma once
// The program's message box. Every box of the program goes through here: a
// standard box whose dialog the skin dresses through a thread CBT hook,
// installed just before the box is made and removed once the box is skinned
// (at its first activation) or, at the latest, when the box has returned.
#include <windows.h>

#include <optional>
#include <string_view>

#include "skin/core/engine_state.h"

namespace korvath::skin {

// Described at the door: skin/engine/message_box.h.
int SkinMessageBox(HWND owner, std::string_view text, UINT style, std::optional<std::string_view> caption);

// The box on its way (the owner given to the last box, the thread's CBT hook
// while it is installed, the dialog it is for) is SkinEngine.box. The box's
// painter asks the box itself for its owner, which stays right also while a
// box opened from another is up.

// Installs the CBT hook for the calling thread. It skins the first dialog
// ("#32770") made after the install, at its activation, and nothing else.
void SkinMessageBoxHookInstall();
// Removes the hook if it is still installed and was installed for `box` (or
// for no box yet, when `box` is null).
void SkinMessageBoxHookRemove(HWND box = nullptr);
// The CBT hook procedure.
LRESULT CALLBACK SkinMessageBoxHookProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace korvath::skin
