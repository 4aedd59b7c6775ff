#pragma once
// Owners for GDI handles. Every GDI object and device context the program
// creates or obtains lives in one of these, so that it is given back on every
// path. Each owner counts itself in a process-wide tally while it holds a
// handle: Wine's GetGuiResources always answers 0, so this tally is how tests
// see leaks.
#include <windows.h>

#include <utility>

namespace korvath::platform {

// Number of handles currently held by the owners below.
long LiveGdiObjectCount();

namespace gdi_detail {
void CountAdopted();
void CountReleased();
void DeleteGdiHandle(HGDIOBJ handle);
}  // namespace gdi_detail

// Owns one pen, brush, font, bitmap, region or palette (DeleteObject).
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  // Adopts a freshly created handle; a null handle is simply empty.
  explicit GdiObject(Handle handle) noexcept : handle_(handle) {
    if (handle_) gdi_detail::CountAdopted();
  }
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  // Deletes the held object and adopts the new one.
  void Reset(Handle handle = nullptr) noexcept {
    if (handle_ == handle) return;
    if (handle_) {
      gdi_detail::DeleteGdiHandle(handle_);
      gdi_detail::CountReleased();
    }
    handle_ = handle;
    if (handle_) gdi_detail::CountAdopted();
  }

  // Gives the object to someone who deletes it (SetWindowRgn, for one).
  [[nodiscard]] Handle Release() noexcept {
    if (handle_) gdi_detail::CountReleased();
    return std::exchange(handle_, nullptr);
  }

  // Parks the object where no owner can hold it (a window property) while
  // it stays ours: it stays counted until Unpark takes it back into an owner.
  [[nodiscard]] Handle Park() noexcept { return std::exchange(handle_, nullptr); }
  // Takes back a handle that Park gave out.
  static GdiObject Unpark(Handle parked) noexcept {
    GdiObject owner;
    owner.handle_ = parked;
    return owner;
  }

 private:
  Handle handle_ = nullptr;
};

using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiFont = GdiObject<HFONT>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;
using GdiPalette = GdiObject<HPALETTE>;

// Owns an icon or cursor made at run time (CreateIconIndirect and the like;
// not the shared ones from LoadCursor/LoadIcon).
class OwnedIcon {
 public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) noexcept;
  ~OwnedIcon() { Reset(); }
  OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  OwnedIcon& operator=(OwnedIcon&& other) noexcept;
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;

  HICON get() const noexcept { return icon_; }
  explicit operator bool() const noexcept { return icon_ != nullptr; }
  void Reset(HICON icon = nullptr) noexcept;

 private:
  HICON icon_ = nullptr;
};

// Owns a memory DC from CreateCompatibleDC (DeleteDC).
class MemoryDC {
 public:
  MemoryDC() = default;
  // Creates a DC compatible with `reference` (null: with the screen).
  static MemoryDC CompatibleWith(HDC reference);
  explicit MemoryDC(HDC adopted) noexcept;
  ~MemoryDC() { Reset(); }
  MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDC& operator=(MemoryDC&& other) noexcept;
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }
  void Reset() noexcept;
  // Gives the DC up without deleting it (to an owner that holds it already).
  [[nodiscard]] HDC Release() noexcept {
    if (dc_) gdi_detail::CountReleased();
    return std::exchange(dc_, nullptr);
  }

 private:
  HDC dc_ = nullptr;
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
  ~WindowDC() { Reset(); }
  WindowDC(WindowDC&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDC& operator=(WindowDC&& other) noexcept;
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC get() const noexcept { return dc_; }
  HWND window() const noexcept { return window_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }
  void Reset() noexcept;

 private:
  WindowDC(HWND window, HDC dc) noexcept;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
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
