// Up-down controls: which half the mouse is over, the halves drawn idle,
// hovered, pressed and with their chevrons, and one layer of subclassing.
#include "skin/control/updown_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include "skin/control/control_installers.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_props.h"
#include "tests/skin/control/one_layer.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::ColorNear;
using testsupport::PixelBuffer;

class UpDownSkinTest : public test::EngineTest {
 protected:
  UpDownSkinTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
  }
  HWND AddUpDown(DWORD style, int w, int h) {
    return CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 20, 20, w, h, form_.hwnd(),
                           nullptr, nullptr, nullptr);
  }
  static PixelBuffer Shown(HWND window) { return test::ShownWhole(window); }
  static void Repaint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
  // Pixels of the chevrons' colour between two rows.
  static int ChevronPixels(const PixelBuffer& p, int fromY, int toY) {
    int n = 0;
    for (int y = fromY; y < toY; ++y)
      for (int x = 0; x < p.width; ++x)
        if (ColorNear(p.RgbAt(x, y), 0x98C1D6, 6)) ++n;
    return n;
  }
  static uint32_t Red(uint32_t rgb) { return (rgb >> 16) & 0xFF; }
  fixture::SkinnedForm form_{300, 200, 0x808080};
};

// A 20 x 30 up-down: y = 15 is still the upper half, y = 16 the lower; a
// 31-pixel-wide horizontal one splits after x = 15.
TEST_F(UpDownSkinTest, TheHalfUnderTheMouseSplitsAtHalfTheSize) {
  AddUpDown(0, 20, 30);
  AddUpDown(UDS_HORZ, 31, 20);
  UpDownSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  const int32_t n = form_.recordNumber();
  const auto hit = [&](int32_t entry, POINT point) {
    return UpDownHitTest(SkinFoundEntryAt(*SkinRecordAt(n), &SkinWindowRecord::UpDowns, entry), point);
  };
  EXPECT_EQ(hit(1, POINT{5, 15}), 0);
  EXPECT_EQ(hit(1, POINT{5, 16}), 1);
  EXPECT_EQ(hit(2, POINT{15, 5}), 0);
  EXPECT_EQ(hit(2, POINT{16, 5}), 1);
  EXPECT_TRUE(SkinRecordAt(n)->UpDowns[1].horizontal);
}

// Idle, the upper half starts lighter than the lower; hovering the lower
// half lights it; each half carries its chevron.
// Asked for its client through WM_PRINTCLIENT, an up-down control gives
// what its window shows.
TEST_F(UpDownSkinTest, PrintingTheClientGivesWhatTheWindowShows) {
  const HWND control = AddUpDown(0, 20, 40);
  UpDownSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  Repaint(control);
  const PixelBuffer shown = test::Shown(control);
  ASSERT_FALSE(shown.Empty());
  EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(control), shown));
}

TEST_F(UpDownSkinTest, HalvesAreDrawnIdleAndHoveredWithTheirChevrons) {
  const HWND control = AddUpDown(0, 20, 40);
  UpDownSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  Repaint(control);
  const PixelBuffer idle = Shown(control);
  EXPECT_GT(Red(idle.RgbAt(3, 2)), Red(idle.RgbAt(3, 22)) + 4);
  EXPECT_GT(ChevronPixels(idle, 0, 20), 5);
  EXPECT_GT(ChevronPixels(idle, 20, 40), 5);
  SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(10, 30));
  const PixelBuffer hovered = Shown(control);
  EXPECT_FALSE(ColorNear(hovered.RgbAt(3, 22), idle.RgbAt(3, 22), 10));
  EXPECT_TRUE(ColorNear(hovered.RgbAt(3, 2), idle.RgbAt(3, 2), 2));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->HotKind, HoverKind::UpDown);
  SendMessageW(control, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(ColorNear(Shown(control).RgbAt(3, 22), idle.RgbAt(3, 22), 2));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->PrevHotControl, 0);
}

// A second run over the same parent adds nothing; the control still works.
TEST_F(UpDownSkinTest, ASecondInstallAddsNoLayer) {
  const HWND control = AddUpDown(0, 20, 30);
  UpDownSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  UpDownSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  ASSERT_TRUE(test::ForwardsPastTheSkin(control, &UpDownSkinWndProc));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->UpDowns.size(), 1u);
  SendMessageW(control, UDM_SETRANGE32, 0, 10);
  SendMessageW(control, UDM_SETPOS32, 0, 7);
  EXPECT_EQ(SendMessageW(control, UDM_GETPOS32, 0, 0), 7);
}

// The half under a press: hovered it runs from white at its start to the
// theme colour at its end; pressed (the control repainting itself while
// the button is down) the other way round, from the theme colour to white.
// The other half keeps its idle look; after the release the press is gone.
// Standing, the halves are the upper and lower; lying, the left and right.
TEST_F(UpDownSkinTest, APressedHalfRunsFromTheThemeColourToWhite) {
  struct Case {
    DWORD style;
    int w, h;
    POINT press;            // over the second half
    POINT start, end;       // near the second half's start and end
    POINT other;            // in the first half
  };
  const Case cases[] = {{0, 20, 40, {10, 30}, {3, 22}, {3, 37}, {3, 10}},
                        {UDS_HORZ, 40, 20, {30, 10}, {22, 3}, {37, 3}, {10, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    const HWND control = AddUpDown(c.style, c.w, c.h);
    UpDownSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
    Repaint(control);
    const PixelBuffer idle = Shown(control);
    const LPARAM at = MAKELPARAM(c.press.x, c.press.y);
    SendMessageW(control, WM_MOUSEMOVE, 0, at);
    const PixelBuffer hovered = Shown(control);
    EXPECT_GT(Red(hovered.RgbAt(c.start.x, c.start.y)), Red(hovered.RgbAt(c.end.x, c.end.y)) + 10);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Repaint(control);
    const PixelBuffer pressed = Shown(control);
    EXPECT_LT(Red(pressed.RgbAt(c.start.x, c.start.y)), Red(pressed.RgbAt(c.end.x, c.end.y)) - 10);
    EXPECT_TRUE(ColorNear(pressed.RgbAt(c.other.x, c.other.y), idle.RgbAt(c.other.x, c.other.y), 2));
    SendMessageW(control, WM_LBUTTONUP, 0, at);
    Repaint(control);
    EXPECT_TRUE(ColorNear(Shown(control).RgbAt(c.start.x, c.start.y), hovered.RgbAt(c.start.x, c.start.y), 2));
    DestroyWindow(control);
  }
}

}  // namespace
}  // namespace korvath::skin
