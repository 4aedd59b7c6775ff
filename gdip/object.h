#pragma once
// The object model shared by every class over the GDI+ flat API.
//
// - Every wrapper derives from GdipBase and owns at most one native GDI+
//   object. The typed handles of the class levels (NativeImage, NativeBitmap,
//   NativePen, ...) are views of that one handle, so they always agree.
// - Objects are move-only: a copy would release the same native object twice.
//   A second native object is made with a class's Clone operation.
// - SetNativeObject adopts a handle: the object releases what it held before
//   (without touching the last status) and owns the new one. Creators and
//   clones hand their new handle over this way, also after a failure (then 0),
//   so no object ever leaks the handle it held.
// - Each class's destroy method (Delete or Dispose) returns false at once, with
//   the last status untouched, when the object holds nothing; otherwise it
//   releases the native object, stores the status and leaves the object empty.
//   The destructor runs it.
// - An operation on an empty object passes the null handle to GDI+, which
//   answers InvalidParameter. An argument that the library refuses by itself
//   (a length that does not match its buffer, a count below 1) stores
//   InvalidParameter without calling GDI+. A count that sizes a buffer or a
//   list, and that memory cannot hold, stores OutOfMemory as GDI+ does.
// - Getters start their out-value at 0, so a failed call returns 0. List
//   getters ask for the count first and replace the caller's list only when
//   every call succeeded; otherwise the list is left as it was.
// - Modes, units, orders, alignments, caps and the like are GDI+'s own
//   enumeration types; bit sets (font styles, string-format flags) are ints.
// - Results that say whether an object or an out-value now holds something
//   (creators, binders such as Graphics::FromHDC, clones, getters that fill an
//   argument) are [[nodiscard]]: the caller decides what an empty object
//   means. Results of drawing and setting may be ignored: a failed call
//   leaves the picture or the setting as it was.
// - Texts are GBK (code page 936) and cross to GDI+ through AnsiToWide and
//   back through WideToAnsi, both on code page 936. GUIDs cross the library's
//   interface as 38-character brace text.
#include <windows.h>
#include <gdiplus.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "gdip/geometry.h"

namespace korvath::gdip {

using NativeHandle = void*;

// ---- the one shared last status ----------------------------------------------

// The status of the most recent flat call of any wrapper operation (or
// InvalidParameter when an operation refused an argument itself).
Gdiplus::GpStatus LastGdipStatus();
void SetLastGdipStatus(Gdiplus::GpStatus status);

// Stores a flat call's status as the last status; true when it is Ok.
inline bool StoreStatus(Gdiplus::GpStatus status) {
  SetLastGdipStatus(status);
  return status == Gdiplus::Ok;
}
// Refuses an argument without calling GDI+: stores InvalidParameter.
inline bool RefuseArgument() { return StoreStatus(Gdiplus::InvalidParameter); }

// ---- base class ------------------------------------------------------------------

class GdipBase {
 public:
  GdipBase(const GdipBase&) = delete;
  GdipBase& operator=(const GdipBase&) = delete;
  virtual ~GdipBase() = default;

  NativeHandle GetNativeObject() const noexcept { return native_; }

  // Adopts `handle` (null empties the object). A different handle held before
  // is released first; the last status is left as it was.
  void SetNativeObject(NativeHandle handle);

  // GDI+'s own heap (GdipAlloc, GdipFree).
  static void* Alloc(size_t size);
  static void Free(void* pointer);

 protected:
  GdipBase() = default;
  GdipBase(GdipBase&& other) noexcept : native_(std::exchange(other.native_, nullptr)) {}
  // Releases what this object held, then takes the other's handle.
  GdipBase& operator=(GdipBase&& other) noexcept;

  // Called after every change of the handle, with the new handle.
  virtual void OnSetNative(NativeHandle handle) {}
  // The class's destroy method (Delete or Dispose); nothing in a class that
  // does not own its handle.
  virtual bool ReleaseNative() { return false; }

  template <class Native>
  Native* NativeAs() const noexcept {
    return static_cast<Native*>(native_);
  }

  // Forgets the handle without releasing it (after the class released it).
  void ClearNative() { StoreNative(nullptr); }

  // The destroy-method pattern over one flat release function.
  template <class Native>
  bool DestroyWith(Gdiplus::GpStatus(WINGDIPAPI* release)(Native*)) {
    if (!native_) return false;
    bool ok = StoreStatus(release(static_cast<Native*>(native_)));
    ClearNative();
    return ok;
  }

 private:
  void StoreNative(NativeHandle handle) {
    native_ = handle;
    OnSetNative(handle);
  }

  NativeHandle native_ = nullptr;
};

// The creator and clone pattern: a flat constructor has written `created`;
// the status is stored and `target` adopts the new handle, or becomes empty
// when the call failed. What a failed call left in its out-argument is never
// taken: some GDI+ builds leave a pointer to an object they already freed.
// `created` is taken by reference so that it is read after the flat call
// that fills it, whatever the order in which the arguments are evaluated.
// Some GDI+ builds hand out one shared object again (an installed font
// family, a clone that only counts a reference), each time with a reference
// of the caller's own: a target that holds that object already gives back
// the reference it held, so that it keeps exactly one.
template <class Native>
bool AdoptInto(GdipBase& target, Gdiplus::GpStatus status, Native*& created) {
  bool ok = StoreStatus(status);
  if (ok && created && created == target.GetNativeObject()) target.SetNativeObject(nullptr);
  target.SetNativeObject(ok ? created : nullptr);
  return ok;
}

// The native handle of an object argument (graphics, path, matrix, ...),
// typed for a flat call; an object that is not given passes 0.
template <class Native>
Native* NativeOf(const GdipBase& object) {
  return static_cast<Native*>(object.GetNativeObject());
}
template <class Native>
Native* NativeOf(const GdipBase* object) {
  return object ? NativeOf<Native>(*object) : nullptr;
}

// A native object that an operation makes for its own use and releases on
// every way out (a temporary graphics, brush or matrix). The release's status
// is not stored: it is cleanup, not the operation's result.
template <class Native, auto Release>
class ScopedNative {
 public:
  ScopedNative() = default;
  ~ScopedNative() { Reset(); }
  ScopedNative(const ScopedNative&) = delete;
  ScopedNative& operator=(const ScopedNative&) = delete;

  Native* get() const noexcept { return handle_; }
  // The out-argument of the flat constructor (releases a held one first).
  Native** out() noexcept {
    Reset();
    return &handle_;
  }
  // Passes a flat constructor's status through; after a failure what the call
  // left in out() is dropped without being released (see AdoptInto).
  Gdiplus::GpStatus Made(Gdiplus::GpStatus status) noexcept {
    if (status != Gdiplus::Ok) handle_ = nullptr;
    return status;
  }
  // Gives the handle to a new owner.
  Native* release() noexcept { return std::exchange(handle_, nullptr); }
  void Reset() noexcept {
    if (handle_) Release(std::exchange(handle_, nullptr));
  }

 private:
  Native* handle_ = nullptr;
};

// ---- texts and GUIDs ---------------------------------------------------------------

// GBK text to UTF-16 (code page 936). The result's c_str() is the zero-
// terminated string that GDI+ takes.
std::wstring AnsiToWide(std::string_view text);
// UTF-16 to GBK text (code page 936); stops at the view's end.
std::string WideToAnsi(std::wstring_view wide);
// A zero-terminated UTF-16 string to GBK text; null gives the empty text.
std::string WideToAnsi(const wchar_t* wide);

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper-case hexadecimal.
std::string GuidToText(const GUID& guid);
// The GUID of a 38-character brace text (either case of hexadecimal digits);
// GUID_NULL for any other text.
GUID TextToGuid(std::string_view text);

}  // namespace korvath::gdip
