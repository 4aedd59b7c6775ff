#pragma once
// A skinned test form: a hidden popup of the given style with the skin
// attached, then shown, with the engine started for the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "skin/core/window_record.h"
#include "skin/form/form_attach.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

using namespace testsupport;

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes, skins and shows a form; replaces the one made before. `proc` is
  // the form's own procedure, which the skin's hands messages on to.
  HWND Skin(DWORD style = WS_POPUP | WS_MINIMIZEBOX, int width = 409, int height = 471,
            const FormSkinSettings& settings = Framed(), WNDPROC proc = nullptr);
  static FormSkinSettings Framed() {
    FormSkinSettings s;
    s.border = true;
    return s;
  }
  HWND form() const { return window_ ? window_->hwnd() : nullptr; }
  int32_t number() const;
  // The form's record. A form that is gone fails the test here, and the
  // caller gets an empty stand-in, so that the test ends with its failures
  // instead of a crash.
  SkinWindowRecord& record() const;
  // The back buffer's pixels.
  PixelBuffer Back() const;
  // What the back buffer holds at a point (0xRRGGBB).
  uint32_t BackAt(int x, int y) const { return CaptureDC(record().BackDC.get(), x, y, 1, 1).RgbAt(0, 0); }
  std::unique_ptr<TestWindow> window_;
  long gdiAtStart_ = 0;
  mutable std::unique_ptr<SkinWindowRecord> standIn_;
};

// The form's tooltip window (owned by it); null when there is none.
HWND TipWindowOf(HWND form);

// 0x00RRGGBB of a Windows colour value.
constexpr uint32_t Rgb(COLORREF colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace korvath::skin::test
