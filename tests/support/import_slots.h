#pragma once
// The test program's import table: where its calls of a DLL's function look
// the function up, so that a test can route them through a stand-in of its
// own while it lives, and put the function back after.
#include <windows.h>

#include <string_view>

namespace testsupport {

// Calls visit(dll, name, slot) for each function that the program imports
// by name: the DLL's name as the table gives it, the function's name, and
// the slot that holds the address the program calls.
template <class Visit>
void ForEachImport(Visit visit) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* headers =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); dll->Name;
       ++dll) {
    const std::string_view dllName(reinterpret_cast<const char*>(base + dll->Name));
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const std::string_view name(reinterpret_cast<const char*>(
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name));
      visit(dllName, name, reinterpret_cast<void**>(&slots->u1.Function));
    }
  }
}

// Whether two DLL names are the same, as the system compares them (ASCII
// letters in either case).
bool SameDllName(std::string_view a, std::string_view b);

// The slot of `function`, imported from `dll` (its name in any case); null
// where the program does not import it.
void** ImportSlot(std::string_view dll, std::string_view function);

// Puts `address` into an import slot; returns what the slot held.
void* SwapImport(void** slot, void* address);

}  // namespace testsupport
