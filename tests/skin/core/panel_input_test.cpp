// The panel under real mouse input and on the screen: hover, press and
// release of its entries by pixels, the click routine, the mouse handed back
// before the routine runs, and the picture over the parent's background.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/control/container_skin.h"
#include "skin/core/callbacks.h"
#include "skin/core/memory_dc.h"
#include "skin/core/panel_window.h"
#include "skin/core/skin_picture.h"
#include "skin/core/window_list.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using fixture::SkinnedForm;
using fixture::SolidPng;
using testsupport::CaptureClient;
using testsupport::CaptureDC;
using testsupport::ColorNear;
using testsupport::MouseDown;
using testsupport::MouseMoveTo;
using testsupport::MouseUp;
using testsupport::PixelBuffer;
using testsupport::PumpMessages;
using testsupport::SaveFailureImage;

constexpr uint32_t kBackground = 0x3366AA;
constexpr uint32_t kNormal = 0xE02020;
constexpr uint32_t kHover = 0x20C020;
constexpr uint32_t kPressed = 0x2020E0;

// What the click routine saw, for the one test running at a time.
struct Clicks {
  std::vector<int32_t> entries;
  std::vector<HWND> captureAtCall;
};
Clicks clicks;

int32_t CALLBACK OnEntryClick(int32_t entry) {
  clicks.entries.push_back(entry);
  clicks.captureAtCall.push_back(GetCapture());
  return 0;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class PanelInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallContainerSkin();
    clicks = {};
    edit_ = form_.AddEdit(40, 40, 260, 20);
    const SkinPicture picture;
    window_ = panel_.Create(edit_, std::nullopt, std::nullopt, std::nullopt, std::nullopt, picture);
    panel_.AddEntry(SolidPng(20, 15, kNormal), SolidPng(20, 15, kHover), SolidPng(20, 15, kPressed),
                    20, 15);
    panel_.AddEntry(SolidPng(20, 15, kNormal), SolidPng(20, 15, kHover), SolidPng(20, 15, kPressed),
                    20, 15);
    panel_.SetCallback(SkinRoutine(&OnEntryClick));
    PumpMessages(50);
    MouseMoveTo(form_.hwnd(), 5, 150);  // start away from the panel
  }

  // The colour the screen shows at the centre of entry n.
  uint32_t EntryColour(int n) {
    PumpMessages(30);
    const PixelBuffer shot = CaptureClient(window_);
    const POINT p = Centre(panel_.entries()[n - 1].rectangle);
    return shot.RgbAt(p.x, p.y);
  }

  void ExpectEntry(int n, uint32_t rgb, const char* name) {
    const uint32_t seen = EntryColour(n);
    if (!ColorNear(seen, rgb)) SaveFailureImage(CaptureClient(window_), name);
    EXPECT_TRUE(ColorNear(seen, rgb)) << std::hex << "entry " << n << " shows " << seen;
  }

  POINT EntryPoint(int n) { return Centre(panel_.entries()[n - 1].rectangle); }

  SkinnedForm form_{400, 200, kBackground};
  HWND edit_ = nullptr;
  ZqkWindow panel_;
  HWND window_ = nullptr;
};

TEST_F(PanelInputTest, PictureShowsParentBackgroundFrameAndEntries) {
  const PixelBuffer shot = CaptureClient(window_);
  ASSERT_FALSE(shot.Empty());
  RECT c;
  GetClientRect(window_, &c);
  // Between the second entry and the right edge the transparent fill lets
  // the form's background through.
  const RECT e2 = panel_.entries()[1].rectangle;
  const bool background = ColorNear(shot.RgbAt(e2.right + 1, c.bottom / 2), kBackground);
  // The frame: a grey line over the background at the left edge, halfway
  // down (grey 0x808080 at alpha 200 over the background).
  const uint32_t edge = shot.RgbAt(0, c.bottom / 2);
  const uint32_t blended = (((0x80 * 200 + 0x33 * 55) / 255) << 16) |
                           (((0x80 * 200 + 0x66 * 55) / 255) << 8) | ((0x80 * 200 + 0xAA * 55) / 255);
  const bool frame = ColorNear(edge, blended, 12);
  // The entries in their normal look; the edit box in its own white.
  const bool entries = ColorNear(shot.RgbAt(EntryPoint(1).x, EntryPoint(1).y), kNormal) &&
                       ColorNear(shot.RgbAt(EntryPoint(2).x, EntryPoint(2).y), kNormal);
  const bool edit = ColorNear(shot.RgbAt(20, c.bottom / 2), 0xFFFFFF);
  if (!(background && frame && entries && edit)) SaveFailureImage(shot, "panel_picture");
  EXPECT_TRUE(background);
  EXPECT_TRUE(frame) << std::hex << edge << " expected near " << blended;
  EXPECT_TRUE(entries);
  EXPECT_TRUE(edit);
  // Outside the rounded corner the form's background stays.
  EXPECT_TRUE(ColorNear(shot.RgbAt(0, 0), kBackground));
}

TEST_F(PanelInputTest, HoverPressAndReleaseOnAnEntry) {
  const POINT p = EntryPoint(1);
  MouseMoveTo(window_, p.x, p.y);
  EXPECT_EQ(panel_.hoveredEntry(), 1);
  ExpectEntry(1, kHover, "hover");
  ExpectEntry(2, kNormal, "hover_other");

  MouseDown(window_, p.x, p.y);
  EXPECT_EQ(panel_.pressedEntry(), 1);
  EXPECT_EQ(GetCapture(), window_);
  ExpectEntry(1, kPressed, "pressed");

  MouseUp(window_, p.x, p.y);
  EXPECT_EQ(panel_.pressedEntry(), 0);
  ASSERT_EQ(clicks.entries, std::vector<int32_t>{1});
  ExpectEntry(1, kHover, "released");
}

// The routine may open a modal dialog: the press must be over and the mouse
// given back before it runs.
TEST_F(PanelInputTest, MouseIsReleasedBeforeTheRoutineRuns) {
  const POINT p = EntryPoint(2);
  MouseMoveTo(window_, p.x, p.y);
  MouseDown(window_, p.x, p.y);
  ASSERT_EQ(GetCapture(), window_);
  MouseUp(window_, p.x, p.y);
  ASSERT_EQ(clicks.entries, std::vector<int32_t>{2});
  EXPECT_EQ(clicks.captureAtCall[0], nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

// A press that began on an entry calls back wherever it is released; the
// entry shows its normal look again once the mouse has left.
TEST_F(PanelInputTest, PressOnEntryReleasedElsewhere) {
  const POINT p = EntryPoint(1);
  MouseMoveTo(window_, p.x, p.y);
  MouseDown(window_, p.x, p.y);
  MouseMoveTo(form_.hwnd(), 10, 170);
  MouseUp(form_.hwnd(), 10, 170);
  PumpMessages(100);
  EXPECT_EQ(clicks.entries, std::vector<int32_t>{1});
  EXPECT_EQ(panel_.pressedEntry(), 0);
  EXPECT_EQ(panel_.hoveredEntry(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectEntry(1, kNormal, "released_elsewhere");
}

TEST_F(PanelInputTest, PressOutsideEveryEntryCallsNothing) {
  MouseMoveTo(window_, 2, 2);
  MouseDown(window_, 2, 2);
  EXPECT_EQ(panel_.pressedEntry(), 0);
  EXPECT_NE(GetCapture(), window_);
  MouseUp(window_, 2, 2);
  EXPECT_TRUE(clicks.entries.empty());
  EXPECT_EQ(panel_.pressedEntry(), 0);
}

TEST_F(PanelInputTest, MovingFromOneEntryStraightOntoTheNext) {
  const POINT a = EntryPoint(1);
  const POINT b = EntryPoint(2);
  MouseMoveTo(window_, a.x, a.y);
  ExpectEntry(1, kHover, "first_hover");
  MouseMoveTo(window_, b.x, b.y);
  EXPECT_EQ(panel_.hoveredEntry(), 2);
  ExpectEntry(1, kNormal, "first_back");
  ExpectEntry(2, kHover, "second_hover");
  MouseMoveTo(form_.hwnd(), 10, 170);
  PumpMessages(100);
  EXPECT_EQ(panel_.hoveredEntry(), 0);
  ExpectEntry(2, kNormal, "left_panel");
}

// A second WM_PAINT with nothing changed only copies the kept picture.
TEST_F(PanelInputTest, RepaintWithoutChangeKeepsTheBackBuffer) {
  const HDC kept = panel_.backBuffer();
  ASSERT_NE(kept, nullptr);
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
  EXPECT_EQ(panel_.backBuffer(), kept);
  panel_.Invalidate();
  UpdateWindow(window_);
  EXPECT_EQ(panel_.GetRedrawPending(), 0);
  ExpectEntry(1, kNormal, "after_rebuild");
}

// The panel hands its picture to the form's child layer, at its place, on
// every paint; the skin restores the panel's place from there.
TEST_F(PanelInputTest, PaintStoresThePictureInTheChildLayer) {
  SkinWindowRecord* record = SkinRecordAt(form_.recordNumber());
  ASSERT_NE(record, nullptr);
  POINT entry = EntryPoint(1);
  MapWindowPoints(window_, form_.hwnd(), &entry, 1);
  auto layerAt = [&](POINT p) {
    return CaptureDC(record->ChildBackDC.get(), p.x, p.y, 1, 1).RgbAt(0, 0);
  };
  EXPECT_TRUE(ColorNear(layerAt(entry), kNormal)) << std::hex << layerAt(entry);

  // A layer made anew (as a form render makes it) gets the picture back at
  // the next plain repaint.
  RECT all = {0, 0, 400, 200};
  HBRUSH brush = CreateSolidBrush(RGB(0x33, 0x66, 0xAA));
  FillRect(record->ChildBackDC.get(), &all, brush);
  DeleteObject(brush);
  ASSERT_TRUE(ColorNear(layerAt(entry), kBackground));
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
  EXPECT_TRUE(ColorNear(layerAt(entry), kNormal));
}

// Hover, press, release and repaint, many times over: every GDI object and
// memory DC made on the way is given back.
TEST_F(PanelInputTest, LiveObjectsReturnToTheirStartAfterManyCycles) {
  const POINT p = EntryPoint(1);
  const LPARAM on = MAKELPARAM(p.x, p.y);
  const LPARAM off = MAKELPARAM(2, 2);
  auto cycle = [&](int i) {
    SendMessageW(window_, WM_MOUSEMOVE, 0, on);
    SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, on);
    SendMessageW(window_, WM_LBUTTONUP, 0, on);
    SendMessageW(window_, WM_MOUSEMOVE, 0, off);
    SendMessageW(window_, WM_MOUSELEAVE, 0, 0);
    if (i % 10 == 0) panel_.Invalidate();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  cycle(0);  // anything made once stays made
  PumpMessages();
  const long gdiStart = platform::LiveGdiObjectCount();
  const size_t dcStart = SkinMemoryDcList.size();
  const auto began = std::chrono::steady_clock::now();
  for (int i = 1; i <= 10000; ++i) {
    cycle(i);
    if (i % 500 == 0) PumpMessages();
  }
  PumpMessages();
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - began;
  const double ms = spent.count();
  std::printf("panel cycle (hover, press, release, leave, repaint): %.2f ms\n", ms / 10000);
  EXPECT_EQ(platform::LiveGdiObjectCount(), gdiStart);
  EXPECT_EQ(SkinMemoryDcList.size(), dcStart);
  EXPECT_EQ(clicks.entries.size(), 10001u);
}

}  // namespace
}  // namespace korvath::skin
