#pragma once
// The one routine of the engine's value helpers that a program uses to tell
// windows apart.
#include <windows.h>

#include <string>

namespace korvath::skin {

// The window's class name as GBK text ("#32770" for a dialog; at most 254
// characters). A handle that is no window gives 255 blanks, which match no
// class name.
std::string SkinGetClassNameText(HWND window);

}  // namespace korvath::skin
