#include "platform/late_bound.h"

namespace korvath::platform {

FARPROC LateBoundAddress(const wchar_t* dll, const char* function) {
  // Loaded once and never freed: the function's callers keep its address.
  const HMODULE module = LoadLibraryW(dll);
  return module ? GetProcAddress(module, function) : nullptr;
}

}  // namespace korvath::platform
