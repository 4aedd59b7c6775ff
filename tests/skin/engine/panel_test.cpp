// The panel object as a program holds it (ZqkWindow, the engine's front
// door), on a form skinned through the door, read by the pixels the screen
// shows: what each call hands on reaches the panel, and an object holds one
// panel window at a time.
#include "skin/engine/panel.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "skin/engine/attach.h"
#include "skin/engine/background_theme.h"
#include "skin/engine/picture.h"
#include "skin/engine/start.h"
#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using namespace testsupport;

constexpr uint32_t kBackground = 0x3366AA;  // the form's, 0xRRGGBB
constexpr COLORREF Colour(uint32_t rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::vector<uint8_t> SolidPng(int width, int height, uint32_t rgb) {
  return EncodePng(width, height, std::vector<uint32_t>(size_t(width) * height, 0xFF000000u | rgb));
}

std::vector<int> clicked;  // the entries the routines got
void FirstRoutine(int entry) { clicked.push_back(entry); }
void SecondRoutine(int entry) { clicked.push_back(100 + entry); }

// A form skinned through the door on a plain background, with two edit
// boxes 200 x 20 to lay panels over.
class DoorPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clicked.clear();
    SetCursorPos(2, 2);
    SkinEngineStart();
    SkinSetBackgroundTheme("", {}, Colour(kBackground), 0xC0C0C0);
    form_ = std::make_unique<TestWindow>(400, 300, L"door panel test", WS_POPUP);
    for (int y : {100, 180})
      edits_.push_back(form_->AddChild(L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 40, y, 200, 20, 0,
                                       WS_EX_CLIENTEDGE));
    FormSkinAttach(form_->hwnd());
    ShowWindow(form_->hwnd(), SW_SHOW);
    Activate(form_->hwnd());
  }
  void TearDown() override {
    panel_.reset();
    form_.reset();
    PumpMessages();
    SkinEngineShutdown();
  }
  HWND Lay(std::optional<int> style = std::nullopt, std::optional<COLORREF> frame = std::nullopt,
           std::optional<COLORREF> fill = std::nullopt, std::optional<int> alpha = std::nullopt, int edit = 0) {
    const SkinPicture picture;
    const HWND window = panel_->Create(edits_[edit], style, frame, fill, alpha, picture);
    PumpMessages();
    return window;
  }
  // Where the panel shows entry n (1-based) of entries `width` wide, 15 high:
  // from the right end, 2 pixels in, one pixel apart.
  static POINT EntryCentre(HWND panel, const std::vector<int>& widths, int n) {
    RECT c;
    GetClientRect(panel, &c);
    int left = c.right - 2;
    for (int w : widths) left -= w + 1;
    for (int i = 0; i < n - 1; ++i) left += widths[i] + 1;
    return {left + widths[n - 1] / 2, (c.bottom - 15) / 2 + 1 + 7};
  }
  // The screen shows `rgb` at the point of the panel.
  static bool Shows(HWND panel, POINT at, uint32_t rgb, const char* name) {
    PumpUntil([&] { return ColorNear(CaptureClient(panel).RgbAt(at.x, at.y), rgb); }, 2000);
    const PixelBuffer shot = CaptureClient(panel);
    if (ColorNear(shot.RgbAt(at.x, at.y), rgb)) return true;
    SaveFailureImage(shot, name);
    ADD_FAILURE() << name << ": " << std::hex << shot.RgbAt(at.x, at.y) << " at " << std::dec << at.x << ", "
                  << at.y << " where " << std::hex << rgb << " was to show";
    return false;
  }

  std::unique_ptr<TestWindow> form_;
  std::vector<HWND> edits_;
  std::unique_ptr<ZqkWindow> panel_ = std::make_unique<ZqkWindow>();
};

// The frame in its colour (red, at alpha 200, over the fill at the edge) and
// the fill in the background colour (green): each where Create was told.
TEST_F(DoorPanelTest, FrameAndBackgroundColoursAsGiven) {
  const HWND window = Lay(0, Colour(0xFF0000), Colour(0x00C800), 255);
  ASSERT_NE(window, nullptr);
  const PixelBuffer shot = CaptureClient(window);
  ASSERT_EQ(shot.width, 206);
  const uint32_t edge = shot.RgbAt(0, shot.height / 2), inside = shot.RgbAt(shot.width - 3, shot.height / 2);
  EXPECT_GT(edge >> 16, 0xB0u) << std::hex << edge;
  EXPECT_LT((edge >> 8) & 0xFF, 0x60u) << std::hex << edge;
  EXPECT_TRUE(ColorNear(inside, 0x00C800)) << std::hex << inside;
  if (HasFailure()) SaveFailureImage(shot, "door_panel_colours");
}

// Each entry at its position (the second inserted as the first), each
// showing its normal picture, its hover picture while the mouse is over it
// and its pressed picture while the button holds it.
TEST_F(DoorPanelTest, EntriesAtTheirPositionsWithTheirPictures) {
  const HWND window = Lay();
  ASSERT_NE(window, nullptr);
  const struct { uint32_t normal, hover, pressed; int width; std::optional<int> position; } added[] = {
      {0xE02020, 0x20C020, 0x2020E0, 20, std::nullopt},
      {0xE0E020, 0x20E0E0, 0xE020E0, 24, 1},
      {0x804000, 0x008040, 0x400080, 16, -1}};
  for (const auto& a : added) {
    panel_->AddEntry(SolidPng(a.width, 15, a.normal), SolidPng(a.width, 15, a.hover),
                     SolidPng(a.width, 15, a.pressed), a.width, 15, a.position);
  }
  const int order[] = {1, 0, 2};  // the entries as shown, left to right
  const std::vector<int> widths = {24, 20, 16};
  for (int n = 1; n <= 3; ++n)
    Shows(window, EntryCentre(window, widths, n), added[order[n - 1]].normal, "door_entry_normal");
  for (int n = 1; n <= 3; ++n) {
    const POINT at = EntryCentre(window, widths, n);
    MouseMoveTo(window, at.x, at.y);
    Shows(window, at, added[order[n - 1]].hover, "door_entry_hover");
  }
  const POINT first = EntryCentre(window, widths, 1);
  MouseMoveTo(window, first.x, first.y);
  MouseDown(window, first.x, first.y);
  Shows(window, first, added[order[0]].pressed, "door_entry_pressed");
  MouseUp(window, first.x, first.y);
}

// A routine is stored (1); none is refused (0) and the routine stays: a
// click still calls it.
TEST_F(DoorPanelTest, SetCallbackAnswersWhetherTheRoutineWasStored) {
  const HWND window = Lay();
  panel_->AddEntry(SolidPng(20, 15, 0xE02020), std::nullopt, std::nullopt, 20, 15);
  EXPECT_EQ(panel_->SetCallback(&FirstRoutine), 1);
  EXPECT_EQ(panel_->SetCallback(nullptr), 0);
  const POINT at = EntryCentre(window, {20}, 1);
  Click(window, at.x, at.y);
  EXPECT_EQ(clicked, std::vector<int>{1});
}

// A second Create while the object's window lives is refused and touches
// nothing: the second box stays as it was, the first panel goes on calling
// its routine, and once that panel is gone the object lays a new one, whose
// click calls the new routine.
TEST_F(DoorPanelTest, ASecondCreateWhileTheWindowLivesIsRefused) {
  const HWND first = Lay();
  ASSERT_NE(first, nullptr);
  panel_->AddEntry(SolidPng(20, 15, 0xE02020), std::nullopt, std::nullopt, 20, 15);
  panel_->SetCallback(&FirstRoutine);
  const LONG exStyle = GetWindowLongW(edits_[1], GWL_EXSTYLE);
  EXPECT_EQ(Lay(std::nullopt, std::nullopt, std::nullopt, std::nullopt, 1), nullptr);
  EXPECT_EQ(GetParent(edits_[1]), form_->hwnd());
  EXPECT_EQ(GetWindowLongW(edits_[1], GWL_EXSTYLE), exStyle);
  EXPECT_EQ(GetParent(edits_[0]), first);
  POINT at = EntryCentre(first, {20}, 1);
  Click(first, at.x, at.y);
  EXPECT_EQ(clicked, std::vector<int>{1});

  DestroyWindow(first);
  PumpMessages();
  const HWND second = Lay(std::nullopt, std::nullopt, std::nullopt, std::nullopt, 1);
  ASSERT_NE(second, nullptr);
  panel_->AddEntry(SolidPng(20, 15, 0xE02020), std::nullopt, std::nullopt, 20, 15);
  panel_->SetCallback(&SecondRoutine);
  at = EntryCentre(second, {20}, 1);
  Click(second, at.x, at.y);
  EXPECT_EQ(clicked, (std::vector<int>{1, 101}));
}

}  // namespace
}  // namespace korvath::skin
