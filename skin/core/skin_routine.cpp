#include "skin/core/skin_routine.h"

namespace korvath::skin {

namespace {

using Erased = void (*)();

// The routine called through its own type again, so that the compiler pushes
// the arguments in order and removes them as the routine's convention says.
// Each convention has a function of its own, kept out of its caller: GCC's
// optimiser takes two calls that differ in their convention alone for the
// same call, and would make both one way.
template <class... Arguments>
[[gnu::noipa]] int32_t CalleeCleans(Erased routine, Arguments... arguments) {
  return reinterpret_cast<int32_t(CALLBACK*)(Arguments...)>(routine)(arguments...);
}
template <class... Arguments>
[[gnu::noipa]] int32_t CallerCleans(Erased routine, Arguments... arguments) {
  return reinterpret_cast<int32_t(__cdecl*)(Arguments...)>(routine)(arguments...);
}

template <class... Arguments>
int32_t Invoke(Erased routine, bool callerCleans, Arguments... arguments) {
  return callerCleans ? CallerCleans(routine, arguments...) : CalleeCleans(routine, arguments...);
}

}  // namespace

int32_t CallFunctionPointer(SkinRoutine routine, const std::vector<int32_t>& arguments,
                            std::optional<bool> callerCleans) {
  if (!routine.routine_) return 0;
  if (arguments.size() < size_t(routine.count_)) return 0;
  if (callerCleans && routine.count_ > 0 && *callerCleans != routine.callerCleans_) return 0;
  const int32_t* a = arguments.data();
  const Erased r = routine.routine_;
  const bool c = routine.callerCleans_;
  switch (routine.count_) {
    case 0: return Invoke(r, c);
    case 1: return Invoke(r, c, a[0]);
    case 2: return Invoke(r, c, a[0], a[1]);
    case 3: return Invoke(r, c, a[0], a[1], a[2]);
    case 4: return Invoke(r, c, a[0], a[1], a[2], a[3]);
  }
  return 0;
}

}  // namespace korvath::skin
