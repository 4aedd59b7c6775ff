#pragma once
// A rectangle's width and height, which many layouts and probes ask for.
#include <windows.h>

namespace korvath::platform {

constexpr int Width(const RECT& r) { return r.right - r.left; }
constexpr int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace korvath::platform
