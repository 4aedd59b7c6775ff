#pragma once
// Owners for the hooks the program sets: a WinEvent hook (SetWinEventHook)
// and a windows hook (SetWindowsHookEx). Beside the GDI owners
// (gdi_object.h): each removes its hook when it ends or is given another,
// so that no hook outlives the code that meant it. A null handle (the set
// failed) is empty.
#include <windows.h>

#include "platform/unique_handle.h"

namespace korvath::platform {

template <class Handle, BOOL(WINAPI* Remove)(Handle)>
struct HookTraits {
  using Value = Handle;
  static Value Empty() noexcept { return nullptr; }
  static void Free(Handle hook) noexcept { Remove(hook); }
};

using WinEventHook = UniqueHandle<HookTraits<HWINEVENTHOOK, &UnhookWinEvent>>;
using WindowsHook = UniqueHandle<HookTraits<HHOOK, &UnhookWindowsHookEx>>;

}  // namespace korvath::platform
