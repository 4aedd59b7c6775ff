#pragma once
// The "提示" box through which the tool tells the user why it refused
// something.
#include <windows.h>

#include <string>
#include <string_view>

namespace korvath::app {

void ShowNotice(std::string_view text);
// A system error as a notice quotes it: the system's words for it, or its
// number where the system has none.
std::string ErrorReason(DWORD error);

}  // namespace korvath::app
