#pragma once
// The system's errors as the tool's notices name them: in the tool's own
// words, the same on every display language, and by number.
#include <windows.h>

#include <string>

namespace korvath::app {

// The error as a user can look it up: its words where the tool has them,
// then "错误代码" and its number (GBK text).
std::string ErrorName(DWORD error);

// Whether the error is a disk's or its connection's (or what Wine makes of
// the host's I/O errors), which the notices tell as the disk's.
bool IsDiskError(DWORD error);

}  // namespace korvath::app
