#pragma once
// How the engine calls routines it only knows at run time (the caption-button
// action, the window record's handlers, a described menu's item routine).
//
// Routines that Windows calls back (window, hook, timer and thread procedures)
// are plain functions of the platform's callback signature; nothing is
// generated at run time and no data is ever executed.
#include <windows.h>

#include <concepts>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvath::skin {

// What a routine takes: 0 to 4 32-bit integers.
template <class... Arguments>
concept SkinRoutineArguments = sizeof...(Arguments) <= 4 && (std::same_as<Arguments, int32_t> && ...);

// A routine of 0 to 4 32-bit integer arguments and a 32-bit result, in one of
// the two ways of removing arguments: by the routine itself (CALLBACK, as
// every callback entry point) or by its caller (__cdecl). The two conventions
// are two types, so each constructor takes the routines of its own (GCC
// deduces them apart).
class SkinRoutine {
 public:
  SkinRoutine() = default;
  template <class... Arguments>
    requires SkinRoutineArguments<Arguments...>
  SkinRoutine(int32_t(CALLBACK* routine)(Arguments...))
      : SkinRoutine(Erase(routine), sizeof...(Arguments), false) {}
  template <class... Arguments>
    requires SkinRoutineArguments<Arguments...>
  SkinRoutine(int32_t(__cdecl* routine)(Arguments...))
      : SkinRoutine(Erase(routine), sizeof...(Arguments), true) {}

  explicit operator bool() const noexcept { return routine_ != nullptr; }

  friend bool operator==(const SkinRoutine&, const SkinRoutine&) = default;

 private:
  using Erased = void (*)();
  // The address alone: CallFunctionPointer types it again from the count
  // and the convention kept beside it.
  template <class Routine>
  static Erased Erase(Routine routine) noexcept {
    return reinterpret_cast<Erased>(routine);
  }
  SkinRoutine(Erased routine, int count, bool callerCleans)
      : routine_(routine), count_(routine ? count : 0), callerCleans_(callerCleans) {}
  friend int32_t CallFunctionPointer(SkinRoutine, const std::vector<int32_t>&, std::optional<bool>);

  Erased routine_ = nullptr;
  int count_ = 0;
  bool callerCleans_ = false;
};

// Calls the routine with the arguments in list order (element 1 first) and
// returns its result. Arguments past the routine's own count are not passed
// (as a routine that removes fewer arguments than it was given). Nothing is
// called, and 0 is returned, for an empty routine, a list shorter than the
// routine's arguments, or a callerCleans that contradicts how a routine of
// arguments removes them (either would unbalance the stack). The routine is
// taken by value: one held in a list the routine itself may change (a menu's,
// whose routine describes menus) stays valid through the call.
int32_t CallFunctionPointer(SkinRoutine routine, const std::vector<int32_t>& arguments,
                            std::optional<bool> callerCleans = std::nullopt);

}  // namespace korvath::skin
