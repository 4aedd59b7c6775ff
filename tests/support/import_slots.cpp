#include "tests/support/import_slots.h"

#include <algorithm>
#include <utility>

namespace testsupport {

bool SameDllName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

void** ImportSlot(std::string_view dll, std::string_view function) {
  void** found = nullptr;
  ForEachImport([&](std::string_view dllName, std::string_view name, void** slot) {
    if (!found && name == function && SameDllName(dllName, dll)) found = slot;
  });
  return found;
}

void* SwapImport(void** slot, void* address) {
  DWORD was = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);
  void* held = std::exchange(*slot, address);
  VirtualProtect(slot, sizeof *slot, was, &was);
  return held;
}

}  // namespace testsupport
