#pragma once
// How the engine calls routines it only knows at run time (the caption-button
// action, the window record's handlers), and the list through which other
// skins reach a panel.
//
// Routines that Windows calls back (window, hook, timer and thread procedures)
// are plain functions of the platform's callback signature; nothing is
// generated at run time and no data is ever executed.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace korvath::skin {

// A routine of 0 to 4 32-bit integer arguments and a 32-bit result, in one of
// the two ways of removing arguments: by the routine itself (CALLBACK, as
// every callback entry point) or by its caller (__cdecl).
class SkinRoutine {
 public:
  SkinRoutine() = default;
  SkinRoutine(int32_t(CALLBACK* routine)()) : SkinRoutine(Erase(routine), 0, false) {}
  SkinRoutine(int32_t(CALLBACK* routine)(int32_t)) : SkinRoutine(Erase(routine), 1, false) {}
  SkinRoutine(int32_t(CALLBACK* routine)(int32_t, int32_t)) : SkinRoutine(Erase(routine), 2, false) {}
  SkinRoutine(int32_t(CALLBACK* routine)(int32_t, int32_t, int32_t))
      : SkinRoutine(Erase(routine), 3, false) {}
  SkinRoutine(int32_t(CALLBACK* routine)(int32_t, int32_t, int32_t, int32_t))
      : SkinRoutine(Erase(routine), 4, false) {}
  SkinRoutine(int32_t(__cdecl* routine)()) : SkinRoutine(Erase(routine), 0, true) {}
  SkinRoutine(int32_t(__cdecl* routine)(int32_t)) : SkinRoutine(Erase(routine), 1, true) {}
  SkinRoutine(int32_t(__cdecl* routine)(int32_t, int32_t)) : SkinRoutine(Erase(routine), 2, true) {}
  SkinRoutine(int32_t(__cdecl* routine)(int32_t, int32_t, int32_t))
      : SkinRoutine(Erase(routine), 3, true) {}
  SkinRoutine(int32_t(__cdecl* routine)(int32_t, int32_t, int32_t, int32_t))
      : SkinRoutine(Erase(routine), 4, true) {}

  explicit operator bool() const noexcept { return routine_ != nullptr; }
  int argumentCount() const noexcept { return count_; }
  bool callerCleans() const noexcept { return callerCleans_; }
  // The routine's address as the 32-bit integer the engine stores (0: none).
  int32_t Address() const noexcept { return static_cast<int32_t>(reinterpret_cast<intptr_t>(routine_)); }

  friend bool operator==(const SkinRoutine&, const SkinRoutine&) = default;

 private:
  using Erased = void (*)();
  template <class Routine>
  static Erased Erase(Routine routine) {
    return reinterpret_cast<Erased>(routine);
  }
  SkinRoutine(Erased routine, int count, bool callerCleans)
      : routine_(routine), count_(routine ? count : 0), callerCleans_(callerCleans) {}
  friend int32_t CallFunctionPointer(const SkinRoutine&, const std::vector<int32_t>&, std::optional<bool>);

  Erased routine_ = nullptr;
  int count_ = 0;
  bool callerCleans_ = false;
};

// Calls the routine with the arguments in list order (element 1 first) and
// returns its result. Arguments past the routine's own count are not passed
// (as a routine that removes fewer arguments than it was given). Nothing is
// called, and 0 is returned, for an empty routine, a list shorter than the
// routine's arguments, or a callerCleans that contradicts how a routine of
// arguments removes them (either would unbalance the stack).
int32_t CallFunctionPointer(const SkinRoutine& routine, const std::vector<int32_t>& arguments,
                            std::optional<bool> callerCleans = std::nullopt);

// The object a callback slot leads to (a panel): one method for each call
// that other skins make on it through the slot.
class SkinCallbackTarget {
 public:
  // The background-cache invalidation of the owner window
  // (SkinInvokeCallback): the object keeps `value` as its redraw-pending flag
  // and returns it.
  virtual int32_t SetRedrawPending(int32_t value) = 0;
  // The size limit of a window whose `Wxk_LBID` names the slot
  // (SkinRequestPaintedSize).
  virtual SIZE PaintedSize() const = 0;

 protected:
  ~SkinCallbackTarget() = default;
};

// One callback slot: a panel finds its object through its slot number
// (property `Zqk_LbID`) instead of through generated code. The calls through
// a slot are in callback_list.h.
struct SkinCallbackEntry {
  HWND window = nullptr;                  // the panel holding the slot; 0 when free
  SkinCallbackTarget* target = nullptr;   // the object the slot calls (not owned)
  bool free = false;                      // free for reuse
};

}  // namespace korvath::skin
