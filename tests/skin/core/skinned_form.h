#pragma once
// Pictures and a skinned top-level window for the tests of the skin engine core:
// a borderless window (so window and client coordinates agree) with its
// record, as the form attach and a render leave it, whose back buffer and
// child layer hold known pictures, and helpers that register controls and
// containers the way the installers do.
#include <windows.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "skin/core/engine_state.h"
#include "skin/core/window_record.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

// The back buffer's picture: every pixel names its place (0x00RRGGBB); the
// child layer's is told apart by its blue.
inline uint32_t BackPattern(int x, int y) { return uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8 | 0x40; }
inline uint32_t LayerPattern(int x, int y) { return uint32_t(y & 0xFF) << 16 | uint32_t(x & 0xFF) << 8 | 0xC0; }
// Fills a DC's (0, 0, width, height) with a pattern, or with one colour.
void FillPattern(HDC dc, int width, int height, uint32_t (*pattern)(int, int), uint32_t rgb = 0);
// The pixels of a DC's (0, 0, width, height).
inline testsupport::PixelBuffer Pixels(HDC dc, int width, int height) {
  return testsupport::CaptureDC(dc, 0, 0, width, height);
}
// Decodes a PNG file through GDI+ directly, apart from the code under test;
// an empty buffer when the bytes are no PNG image.
testsupport::PixelBuffer DecodeImage(const std::vector<uint8_t>& bytes);
using testsupport::Blend;
// 0x00RRGGBB of a Windows colour value.
constexpr uint32_t Rgb(COLORREF colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

class SkinnedForm {
 public:
  SkinnedForm(int width, int height);
  ~SkinnedForm();
  HWND hwnd() const { return window_.hwnd(); }
  int32_t number() const { return number_; }
  SkinWindowRecord& record() const;
  // A visible child of `parent` (the form when null), unskinned.
  HWND AddChild(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
                DWORD exStyle = 0);
  // Gives a control the owner number a control installer sets.
  void Skin(HWND control) const;
  // Registers a window as a container (as the container attach does);
  // returns its entry number.
  int32_t AddContainer(HWND window, COLORREF colour, int32_t alpha, ContainerKind kind = ContainerKind::Other, bool framed = true) const;

 private:
  testsupport::TestWindow window_;
  int32_t number_ = 0;
};

}  // namespace korvath::skin::test
