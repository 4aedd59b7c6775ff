#pragma once
// Owners for GDI handles. Every GDI object and device context the program
// creates or obtains lives in one of these, so that it is given back on every
// path. Each owner counts itself in a process-wide tally while it holds a
// handle: Wine's GetGuiResources always answers 0, so this tally is how tests
// see leaks.
#include <windows.h>

#include <utility>

#include "platform/unique_handle.h"

namespace korvath::platform {

// Number of handles currently held by the owners below.
long LiveGdiObjectCount();

namespace gdi_detail {
void CountAdopted();
void CountReleased();

// Freeing a counted handle takes it off the tally.
template <class Handle, auto Delete>
struct CountedTraits {
  using Value = Handle;
  static Value Empty() noexcept { return nullptr; }
  static void Free(Handle handle) noexcept {
    Delete(handle);
    CountReleased();
  }
};

// A DC that a window lent (GetDC and the like), and that window.
struct WindowDcLoan {
  HWND window = nullptr;
  HDC dc = nullptr;
  friend bool operator==(const WindowDcLoan&, const WindowDcLoan&) = default;
};
struct WindowDcTraits {
  using Value = WindowDcLoan;
  static Value Empty() noexcept { return {}; }
  static void Free(WindowDcLoan loan) noexcept {
    ReleaseDC(loan.window, loan.dc);
    CountReleased();
  }
};
}  // namespace gdi_detail

// Owns one GDI handle that `Delete` frees, counted in the tally while held.
template <class Handle, auto Delete>
class CountedGdiOwner {
 public:
  CountedGdiOwner() = default;
  // Adopts a freshly created handle; a null handle is simply empty.
  explicit CountedGdiOwner(Handle handle) noexcept : handle_(Counted(handle)) {}

  Handle get() const noexcept { return handle_.get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(handle_); }

  // Deletes the held object and adopts the new one.
  void Reset(Handle handle = nullptr) noexcept {
    if (handle != handle_.get()) handle_.Reset(Counted(handle));
  }

  // Gives the object to someone who deletes it (SetWindowRgn, for one).
  [[nodiscard]] Handle Release() noexcept {
    if (handle_) gdi_detail::CountReleased();
    return handle_.Release();
  }

  // Parks the object where no owner can hold it (a window property) while
  // it stays ours: it stays counted until Unpark takes it back into an owner.
  [[nodiscard]] Handle Park() noexcept { return handle_.Release(); }
  // Takes back a handle that Park gave out.
  static CountedGdiOwner Unpark(Handle parked) noexcept {
    CountedGdiOwner owner;
    owner.handle_.Reset(parked);
    return owner;
  }

 private:
  static Handle Counted(Handle handle) noexcept {
    if (handle) gdi_detail::CountAdopted();
    return handle;
  }

  UniqueHandle<gdi_detail::CountedTraits<Handle, Delete>> handle_;
};

// Owns one pen, brush, font, bitmap, region or palette.
template <class Handle>
using GdiObject = CountedGdiOwner<Handle, &DeleteObject>;

using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiFont = GdiObject<HFONT>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;
using GdiPalette = GdiObject<HPALETTE>;

// Owns an icon or cursor made at run time (CreateIconIndirect and the like;
// not the shared ones from LoadCursor/LoadIcon).
using OwnedIcon = CountedGdiOwner<HICON, &DestroyIcon>;

// Owns a memory DC from CreateCompatibleDC.
class MemoryDC : public CountedGdiOwner<HDC, &DeleteDC> {
 public:
  using CountedGdiOwner::CountedGdiOwner;
  // Creates a DC compatible with `reference` (null: with the screen).
  static MemoryDC CompatibleWith(HDC reference) { return MemoryDC(CreateCompatibleDC(reference)); }
};

// Owns a DC obtained from a window (GetDC, GetWindowDC, GetDCEx) and gives it
// back to that same window (ReleaseDC).
class WindowDC {
 public:
  WindowDC() = default;
  // GetDC: the client area (null window: the screen).
  static WindowDC Client(HWND window);
  // GetWindowDC: the whole window, frame included.
  static WindowDC Whole(HWND window);
  // GetDCEx; the region stays the caller's unless flags hand it over.
  static WindowDC Ex(HWND window, HRGN clip, DWORD flags);

  HDC get() const noexcept { return loan_.get().dc; }
  HWND window() const noexcept { return loan_.get().window; }
  explicit operator bool() const noexcept { return static_cast<bool>(loan_); }
  void Reset() noexcept { loan_.Reset(); }

 private:
  WindowDC(HWND window, HDC dc) noexcept;
  UniqueHandle<gdi_detail::WindowDcTraits> loan_;
};

// BeginPaint ... EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const noexcept { return dc_; }
  const PAINTSTRUCT& paint() const noexcept { return paint_; }
  const RECT& dirty() const noexcept { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back when it ends.
// The object itself stays owned by whoever made it (it must outlive this).
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) noexcept;
  ~SelectScope() { Restore(); }
  SelectScope(SelectScope&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
  SelectScope& operator=(SelectScope&&) = delete;
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

  HGDIOBJ previous() const noexcept { return previous_; }
  // Puts the previous object back now.
  void Restore() noexcept;

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// SaveDC ... RestoreDC, for code that changes clip, origin or modes of a DC
// it was lent.
class SavedDCState {
 public:
  explicit SavedDCState(HDC dc) noexcept : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  ~SavedDCState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDCState(const SavedDCState&) = delete;
  SavedDCState& operator=(const SavedDCState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A top-down 32-bit DIB section with its bits; owned through `bitmap`.
struct DibSection {
  GdiBitmap bitmap;
  void* bits = nullptr;
  int width = 0;
  int height = 0;
};
// Creates a width x height 32-bpp top-down DIB section (empty on zero or
// negative sizes, or when the system refuses).
DibSection CreateDibSection32(int width, int height);
// The one maker of 32-bpp DIB sections. `headerHeight` is read as the
// bitmap header reads it: positive bottom-up, negative top-down. Empty on a
// zero size or when the system refuses.
DibSection CreateDib32(int width, int headerHeight);

}  // namespace korvath::platform
