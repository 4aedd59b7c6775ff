#pragma once
// `UniqueHandle`: the one move-only owner of something the system hands out
// and wants back (a handle, a timer's id, a token). Its traits name the
// value's type, the value that holds nothing and the call that gives a value
// back:
//
//   struct ThreadTimerTraits {
//     using Value = UINT_PTR;
//     static Value Empty() noexcept { return 0; }
//     static void Free(Value id) noexcept { KillTimer(nullptr, id); }
//   };
//   using ThreadTimer = UniqueHandle<ThreadTimerTraits>;
//
// The call that frees stays in the traits, beside the owner's type, so no
// other code frees what an owner holds. A class that holds more than its
// handle keeps one of these as a member and lets its own moves be the
// defaulted ones.
#include <utility>

namespace korvath::platform {

template <class Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() = default;
  // Adopts a value just handed out; the empty value holds nothing.
  explicit UniqueHandle(Value value) noexcept : value_(value) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  // Frees what this one held; moved onto itself it keeps its value.
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Value get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::Empty(); }

  // Gives the value to someone who frees it; this one holds nothing then.
  [[nodiscard]] Value Release() noexcept { return std::exchange(value_, Traits::Empty()); }
  // Frees the held value (unless it is `value` itself) and adopts `value`.
  void Reset(Value value = Traits::Empty()) noexcept {
    const Value held = std::exchange(value_, value);
    if (held != Traits::Empty() && held != value) Traits::Free(held);
  }

 private:
  Value value_ = Traits::Empty();
};

}  // namespace korvath::platform
