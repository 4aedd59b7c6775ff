#pragma once
// A function of a system DLL that the program needs only now and then (a
// dialog): the DLL is loaded at the first call instead of at start, where an
// import would load it (and the DLLs it imports in turn) before the first
// window is shown. The DLL stays loaded for the rest of the run.
//
//   static const auto open = LateBound<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
//   if (!open) ...;  // the system lacks it
#include <windows.h>

namespace korvath::platform {

// The function's address, or null when the DLL or the function is missing.
FARPROC LateBoundAddress(const wchar_t* dll, const char* function);

template <class Function>
Function LateBound(const wchar_t* dll, const char* function) {
  // Through void (*)(), the type that stands for any function pointer.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(LateBoundAddress(dll, function)));
}

}  // namespace korvath::platform
