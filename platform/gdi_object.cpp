#include "platform/gdi_object.h"

#include <atomic>

namespace korvath::platform {

namespace {
std::atomic<long> g_live{0};
}  // namespace

long LiveGdiObjectCount() { return g_live.load(); }

namespace gdi_detail {
void CountAdopted() { ++g_live; }
void CountReleased() { --g_live; }
}  // namespace gdi_detail

// ---- WindowDC --------------------------------------------------------------

WindowDC::WindowDC(HWND window, HDC dc) noexcept {
  if (!dc) return;
  gdi_detail::CountAdopted();
  loan_.Reset({window, dc});
}

WindowDC WindowDC::Client(HWND window) { return WindowDC(window, GetDC(window)); }
WindowDC WindowDC::Whole(HWND window) { return WindowDC(window, GetWindowDC(window)); }
WindowDC WindowDC::Ex(HWND window, HRGN clip, DWORD flags) {
  return WindowDC(window, GetDCEx(window, clip, flags));
}

// ---- PaintScope ------------------------------------------------------------

PaintScope::PaintScope(HWND window) : window_(window) {
  dc_ = BeginPaint(window_, &paint_);
  if (dc_) gdi_detail::CountAdopted();
}

PaintScope::~PaintScope() {
  // EndPaint validates the window even when BeginPaint handed out no DC.
  EndPaint(window_, &paint_);
  if (dc_) gdi_detail::CountReleased();
}

// ---- SelectScope -----------------------------------------------------------

SelectScope::SelectScope(HDC dc, HGDIOBJ object) noexcept {
  if (!dc || !object) return;
  HGDIOBJ previous = SelectObject(dc, object);
  if (!previous || previous == HGDI_ERROR) return;
  dc_ = dc;
  previous_ = previous;
}

void SelectScope::Restore() noexcept {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  dc_ = nullptr;
  previous_ = nullptr;
}

// ---- DIB sections ----------------------------------------------------------

DibSection CreateDib32(int width, int headerHeight) {
  DibSection dib;
  if (width == 0 || headerHeight == 0) return dib;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = headerHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib.bitmap = GdiBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib.bitmap) return DibSection{};
  dib.bits = bits;
  dib.width = width;
  dib.height = headerHeight < 0 ? -headerHeight : headerHeight;
  return dib;
}

DibSection CreateDibSection32(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  return CreateDib32(width, -height);  // top-down rows
}

}  // namespace korvath::platform
