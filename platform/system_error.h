#pragma once
// The system's own words for an error.
#include <windows.h>

#include <string>

namespace korvath::platform {

// The system's description of the error, in the user's language, as GBK
// text without its line end; empty when the system has none.
std::string SystemErrorText(DWORD error);

}  // namespace korvath::platform
