#pragma once
// A skinned top-level window for the painting tests of the skin engine core:
// a borderless window (so window and client coordinates agree) with its
// record, as the form attach and a render leave it, whose back buffer and
// child layer hold known pictures, and helpers that register controls and
// containers the way the installers do.
#include <windows.h>

#include <cstdint>

#include "skin/core/window_record.h"
#include "tests/support/win_test_support.h"

#include <ostream>

// Rectangles compared and shown by the tests (RECT is a plain C struct).
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace korvath::skin::test {

// The back buffer's picture: every pixel names its place (0x00RRGGBB).
uint32_t BackPattern(int x, int y);
// The child layer's picture (told apart from the back buffer by its blue).
uint32_t LayerPattern(int x, int y);
// Fills a DC's (0, 0, width, height) with a pattern.
void FillPattern(HDC dc, int width, int height, uint32_t (*pattern)(int, int));
// Fills a DC's (0, 0, width, height) with one colour (0x00RRGGBB).
void FillSolid(HDC dc, int width, int height, uint32_t rgb);
// The pixels of a DC's area.
testsupport::PixelBuffer Pixels(HDC dc, int width, int height);

// What alpha-blending `over` (0x00RRGGBB) at `alpha` onto `under` gives.
uint32_t Blend(uint32_t under, uint32_t over, int alpha);
// 0x00RRGGBB of a Windows colour value.
constexpr uint32_t Rgb(COLORREF colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

class SkinnedForm {
 public:
  SkinnedForm(int width, int height);
  ~SkinnedForm();
  SkinnedForm(const SkinnedForm&) = delete;
  SkinnedForm& operator=(const SkinnedForm&) = delete;

  HWND hwnd() const { return window_.hwnd(); }
  int32_t number() const { return number_; }
  SkinWindowRecord& record() const;

  // A child of `parent` (the form when null), unskinned.
  HWND AddChild(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
                DWORD exStyle = 0);
  // Gives a control the owner number a control installer sets.
  void Skin(HWND control) const;
  // Registers a window as a container of the record (as the container
  // attach does) and returns its entry number.
  int32_t AddContainer(HWND window, COLORREF colour, int32_t alpha, int32_t kind = 0,
                       bool framed = true) const;
  // Registers a push button of a kind in the button list.
  int32_t AddButton(HWND button, int32_t kind) const;

 private:
  testsupport::TestWindow window_;
  int32_t number_ = 0;
};

}  // namespace korvath::skin::test
