#pragma once
// Handles and pointers carried in message parameters, answers and window
// longs: the one place where they are turned into a number and back.
#include <windows.h>

#include <type_traits>

namespace korvath::platform {

// The handle or pointer that a WPARAM, LPARAM, LRESULT or window long
// carries.
template <class T>
  requires std::is_pointer_v<T>
T FromParam(LONG_PTR value) noexcept {
  return reinterpret_cast<T>(value);
}

// A handle or pointer as a message parameter, an answer or a window long.
template <class T>
  requires std::is_pointer_v<T>
LONG_PTR ToParam(T value) noexcept {
  return reinterpret_cast<LONG_PTR>(value);
}

// SendMessageW with a pointer to `data` in lParam.
template <class T>
LRESULT SendWithPointer(HWND window, UINT message, WPARAM wParam, T* data) {
  return SendMessageW(window, message, wParam, ToParam(data));
}

}  // namespace korvath::platform
