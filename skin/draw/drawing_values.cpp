#include "skin/draw/drawing_values.h"

#include "gdip/object.h"

namespace korvath::skin {

gdip::Argb SkinArgbFromColorRef(COLORREF colour, std::optional<int32_t> alpha) {
  // Only the alpha's low byte counts.
  return gdip::ArgbFromColorRef(colour, static_cast<uint8_t>(alpha.value_or(255)));
}

gdip::RectF SkinMakeRect(float x, float y, float width, float height) {
  return gdip::RectF{x, y, width, height};
}

gdip::Rect SkinMakeRectRecord(int32_t x, int32_t y, int32_t width, int32_t height) {
  return gdip::Rect{x, y, width, height};
}

gdip::PointF MakePointF(float x, float y) { return gdip::PointF{x, y}; }

gdip::RectF ToRectF(const RECT& r) {
  return gdip::RectF{float(r.left), float(r.top), float(r.right - r.left), float(r.bottom - r.top)};
}

bool HasStyleMask(HWND window, LONG mask) { return HasStyleMask(GetWindowLongW(window, GWL_STYLE), mask); }
bool HasVScrollStyle(HWND window) { return HasStyleMask(window, WS_VSCROLL); }
bool IsVisibleStyle(HWND window) { return HasStyleMask(window, WS_VISIBLE); }
bool HasHScrollStyle(HWND window) { return HasStyleMask(window, WS_HSCROLL); }

std::string SkinGetClassNameText(HWND window) {
  constexpr int kCapacity = 255;
  wchar_t wide[kCapacity] = {};
  const int length = GetClassNameW(window, wide, kCapacity);
  if (length <= 0) return std::string(kCapacity, ' ');
  return gdip::WideToAnsi(std::wstring_view(wide, size_t(length)));
}

}  // namespace korvath::skin
