#include "skin/core/callbacks.h"

namespace korvath::skin {

int32_t CallFunctionPointer(const SkinRoutine& routine, const std::vector<int32_t>& arguments,
                            std::optional<bool> callerCleans) {
  if (!routine.routine_) return 0;
  if (arguments.size() < size_t(routine.count_)) return 0;
  if (callerCleans && routine.count_ > 0 && *callerCleans != routine.callerCleans_) return 0;
  const int32_t* a = arguments.data();
  // Each routine is called through its own type again, so the compiler pushes
  // the arguments in order and removes them as the routine's convention says.
  if (!routine.callerCleans_) {
    switch (routine.count_) {
      case 0: return reinterpret_cast<int32_t(CALLBACK*)()>(routine.routine_)();
      case 1: return reinterpret_cast<int32_t(CALLBACK*)(int32_t)>(routine.routine_)(a[0]);
      case 2:
        return reinterpret_cast<int32_t(CALLBACK*)(int32_t, int32_t)>(routine.routine_)(a[0], a[1]);
      case 3:
        return reinterpret_cast<int32_t(CALLBACK*)(int32_t, int32_t, int32_t)>(routine.routine_)(
            a[0], a[1], a[2]);
      case 4:
        return reinterpret_cast<int32_t(CALLBACK*)(int32_t, int32_t, int32_t, int32_t)>(
            routine.routine_)(a[0], a[1], a[2], a[3]);
    }
  } else {
    switch (routine.count_) {
      case 0: return reinterpret_cast<int32_t(__cdecl*)()>(routine.routine_)();
      case 1: return reinterpret_cast<int32_t(__cdecl*)(int32_t)>(routine.routine_)(a[0]);
      case 2:
        return reinterpret_cast<int32_t(__cdecl*)(int32_t, int32_t)>(routine.routine_)(a[0], a[1]);
      case 3:
        return reinterpret_cast<int32_t(__cdecl*)(int32_t, int32_t, int32_t)>(routine.routine_)(
            a[0], a[1], a[2]);
      case 4:
        return reinterpret_cast<int32_t(__cdecl*)(int32_t, int32_t, int32_t, int32_t)>(
            routine.routine_)(a[0], a[1], a[2], a[3]);
    }
  }
  return 0;
}

}  // namespace korvath::skin
