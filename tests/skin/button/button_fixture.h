#pragma once
// A skinned test form for the button skins: a record whose back buffer is one
// flat grey, a window procedure that answers WM_DRAWITEM through the
// owner-draw dispatcher and counts the button clicks it is told of, and
// helpers that add buttons and look at what they show.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/core/engine_state.h"
#include "skin/core/found_entry.h"
#include "skin/core/window_record.h"
#include "tests/skin/core/skinned_form.h"

namespace korvath::skin::test {

inline constexpr uint32_t kBackground = 0x808080;  // 0x00RRGGBB under every button
inline constexpr int kFormWidth = 360, kFormHeight = 240;

// The button clicks the form was told of (WM_COMMAND BN_CLICKED), and every
// other button notification.
extern std::vector<HWND> ClickedButtons;
extern std::vector<HWND> OtherNotifications;

class ButtonFixture : public ::testing::Test {
 protected:
  ButtonFixture();
  ~ButtonFixture() override;

  HWND form() const { return form_.hwnd(); }
  SkinWindowRecord& record() const { return form_.record(); }
  int32_t number() const { return form_.number(); }
  // A visible BUTTON child of the form (or of `parent`) with a UTF-16 caption.
  HWND Add(const wchar_t* text, DWORD style, int x, int y, int w, int h, HWND parent = nullptr);
  // The entry the button's Hw_lbID names in the form's record.
  SkinButtonEntry& Entry(HWND button) const;
  // What the window shows now, after the waiting messages are handled.
  static testsupport::PixelBuffer Shown(HWND window);
  // What a push-type painter draws for `button` in `state` into a memory DC
  // of the button's client size.
  static testsupport::PixelBuffer Painted(void (*painter)(const ButtonRef&, HDC, UINT, const RECT&), HWND button,
                                          UINT state);

  EngineGlobals globals_;
  SkinnedForm form_{kFormWidth, kFormHeight};
};

// The GDI objects and registered memory DCs the process holds: the same
// again after work that leaks nothing.
struct Held {
  long gdi = korvath::platform::LiveGdiObjectCount();
  size_t dcs = SkinMemoryDcList().size();
  bool Same() const { return Held{}.gdi == gdi && Held{}.dcs == dcs; }
};

// Channel helpers over 0x00RRGGBB.
inline int Red(uint32_t c) { return int((c >> 16) & 0xFF); }
inline int Green(uint32_t c) { return int((c >> 8) & 0xFF); }
inline int Blue(uint32_t c) { return int(c & 0xFF); }
// How far a pixel leans to the theme colour's blue over its red (0xDDCA22
// has blue 0xDD and red 0x22): near 0 for greys.
inline int ThemeLean(uint32_t c) { return Blue(c) - Red(c); }
// The darkest pixel of a rectangle (by its green channel).
int Darkest(const testsupport::PixelBuffer& shown, int left, int top, int right, int bottom);
// A PNG of one colour, w x h, opaque.
std::vector<uint8_t> SolidPng(int w, int h, uint32_t argb);

}  // namespace korvath::skin::test
