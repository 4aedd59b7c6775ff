#pragma once
// Owners for the hooks the program sets: a WinEvent hook (SetWinEventHook)
// and a windows hook (SetWindowsHookEx). Beside the GDI owners
// (gdi_object.h): each removes its hook when it ends or is given another,
// so that no hook outlives the code that meant it.
#include <windows.h>

#include <utility>

namespace korvath::platform {

template <class Handle, BOOL(WINAPI* Remove)(Handle)>
class HookOwner {
 public:
  HookOwner() = default;
  // Adopts a freshly set hook; a null handle (the set failed) is empty.
  explicit HookOwner(Handle handle) noexcept : handle_(handle) {}
  ~HookOwner() { Reset(); }
  HookOwner(HookOwner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  HookOwner& operator=(HookOwner&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  HookOwner(const HookOwner&) = delete;
  HookOwner& operator=(const HookOwner&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  // Removes the hook now (nothing when empty).
  void Reset() noexcept {
    if (handle_) Remove(std::exchange(handle_, nullptr));
  }

 private:
  Handle handle_ = nullptr;
};

using WinEventHook = HookOwner<HWINEVENTHOOK, &UnhookWinEvent>;
using WindowsHook = HookOwner<HHOOK, &UnhookWindowsHookEx>;

}  // namespace korvath::platform
