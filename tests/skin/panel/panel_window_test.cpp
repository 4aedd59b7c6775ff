// The panel window: its place and layout, its records in the callback list,
// its picture by pixels, real mouse input and the cursor.
#include "skin/panel/panel_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/control/container_skin.h"
#include "skin/core/callback_list.h"
#include "skin/core/callbacks.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/window_props.h"
#include "skin/draw/skin_picture.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/support/failing_allocation.h"
#include "tests/skin/panel/panel_maker.h"

namespace korvath::skin {
namespace {

using namespace testsupport;
using namespace fixture;

constexpr uint32_t kBackground = 0x3366AA;  // the form's back buffer
constexpr uint32_t kNormal = 0xE02020, kHover = 0x20C020, kPressed = 0x2020E0, kIcon = 0xFF00FF;

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::vector<int32_t> clicked;      // entries the click routine got
std::vector<HWND> captureAtClick;  // the mouse capture while it ran
void OnEntryClick(int entry) {
  clicked.push_back(entry);
  captureAtClick.push_back(GetCapture());
}

// Over a skinned form: a panel with an icon 12 x 12 and two entries 20 x 15
// that call the recording routine.
class PanelTest : public test::EngineTest {
 protected:
  void SetUp() override {
    clicked.clear();
    captureAtClick.clear();
    window_ = MakePanel(panel_, form_, 40);
    panel_.SetIcon(SolidPng(16, 16, kIcon), 12, 12);
    for (int i = 0; i < 2; ++i) {
      panel_.AddEntry(SolidPng(20, 15, kNormal), SolidPng(20, 15, kHover),
                      SolidPng(20, 15, kPressed), 20, 15);
    }
    panel_.SetCallback(&OnEntryClick);
    PumpUntil([&] { return ColorNear(CaptureClient(window_).RgbAt(At(1).x, At(1).y), kNormal); });
    MouseMoveTo(form_.hwnd(), 5, 150);  // start away from the panel
  }
  POINT At(int n) { return Centre(panel_.entries()[n - 1].rectangle); }
  // The screen shows `rgb` at the centre of entry n.
  void ExpectEntry(int n, uint32_t rgb, const char* name) {
    PumpUntil([&] { return ColorNear(CaptureClient(window_).RgbAt(At(n).x, At(n).y), rgb); }, 2000);
    const PixelBuffer shot = CaptureClient(window_);
    if (!ColorNear(shot.RgbAt(At(n).x, At(n).y), rgb)) SaveFailureImage(shot, name);
    EXPECT_TRUE(ColorNear(shot.RgbAt(At(n).x, At(n).y), rgb)) << "entry " << n << " " << name;
  }
  SkinnedForm form_{400, 300, kBackground};
  ZqkPanel panel_;
  HWND window_ = nullptr;
};

// A freed record is taken again by the next panel and leads to it; a second
// release of the first object leaves that record alone; an object going
// before its window gives the window back to the container skin.
TEST_F(PanelTest, CallbackRecordsAreReusedReleasedOnceAndUnbound) {
  EXPECT_EQ(panel_.SetCallback(nullptr), 0);  // no routine is refused
  EXPECT_EQ(panel_.callback(), &OnEntryClick);
  EXPECT_FALSE(panel_.BuildThunks(0));
  EXPECT_FALSE(panel_.BuildThunks(int(SkinEngine.lists.SkinCallbackList.size()) + 1));
  ZqkPanel a;
  auto b = std::make_unique<ZqkPanel>();
  DestroyWindow(MakePanel(a, form_, 80));
  PumpMessages();
  const int slot = a.GetCallbackSlot();
  const size_t size = SkinEngine.lists.SkinCallbackList.size();
  ASSERT_GE(slot, 1);
  const SkinCallbackEntry& record = SkinEngine.lists.SkinCallbackList[slot - 1];
  EXPECT_TRUE(record.free);
  EXPECT_EQ(record.window, nullptr);
  EXPECT_EQ(a.panel(), nullptr);
  const HWND panelB = MakePanel(*b, form_, 120);
  EXPECT_EQ(b->GetCallbackSlot(), slot);
  EXPECT_EQ(SkinEngine.lists.SkinCallbackList.size(), size);
  a.Release();
  EXPECT_FALSE(SkinEngine.lists.SkinCallbackList[slot - 1].free);
  EXPECT_EQ(SkinEngine.lists.SkinCallbackList[slot - 1].window, panelB);
  b->SetRedrawPending(0);
  EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 1);
  EXPECT_EQ(b->GetRedrawPending(), 1);

  b.reset();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(panelB, GWLP_WNDPROC)),
            &ContainerSkinWndProc);
  EXPECT_EQ(SkinEngine.lists.SkinCallbackList[slot - 1].target, nullptr);
  EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 0);
  RedrawWindow(panelB, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

UINT g_behind = 0;  // the message the procedure behind the panel got
LRESULT CALLBACK RecordBehind(HWND, UINT message, WPARAM, LPARAM) { return g_behind = message, 0x5A; }

// What the panel leaves goes on to the procedure that its own slot keeps
// (the container skin's), not to the one the window's skin slot keeps.
TEST_F(PanelTest, WhatThePanelLeavesGoesToTheProcedureItsSlotKeeps) {
  ASSERT_NE(GetSkinProp(window_, prop::Zqk_Jgc), GetSkinProp(window_, prop::Hw_hProc));
  const LONG_PTR kept = GetSkinProp(window_, prop::Zqk_Jgc);
  SetSkinPropHandle(window_, prop::Zqk_Jgc, &RecordBehind);
  g_behind = 0;
  const LRESULT answer = SendMessageW(window_, WM_APP + 7, 0, 0);
  SetSkinProp(window_, prop::Zqk_Jgc, kept);
  EXPECT_EQ(answer, 0x5A);
  EXPECT_EQ(g_behind, UINT(WM_APP + 7));
}

// A click routine whose memory runs out: what it throws ends the panel's
// part of the release, not the program, and the release goes on once to the
// procedure behind, the mouse given back and the entry drawn as it was.
void ClickThatAllocates(int entry) { clicked.push_back(*std::make_unique<int>(entry)); }

TEST_F(PanelTest, MemoryThatRunsOutInTheClickRoutineEndsOnlyThePanelsPartOfTheRelease) {
  panel_.SetCallback(&ClickThatAllocates);
  const LONG_PTR kept = GetSkinProp(window_, prop::Zqk_Jgc);
  SetSkinPropHandle(window_, prop::Zqk_Jgc, &RecordBehind);
  const LPARAM at = MAKELPARAM(At(2).x, At(2).y);
  SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(GetCapture(), window_);
  g_behind = 0;
  {
    const FailingAllocation failing;
    EXPECT_EQ(SendMessageW(window_, WM_LBUTTONUP, 0, at), 0x5A);
    EXPECT_TRUE(failing.Failed());
  }
  SetSkinProp(window_, prop::Zqk_Jgc, kept);
  EXPECT_EQ(g_behind, UINT(WM_LBUTTONUP));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(clicked.empty());
  ExpectEntry(2, kNormal, "after the routine threw");
}

// An entry goes in at its position (1 .. count + 1), at the end for -1 or a
// position past the end, and nowhere for any other position.
TEST_F(PanelTest, EntriesGoInAtTheirPosition) {
  auto widths = [&] {
    std::vector<int> w;
    for (const ZqkWindowEntry& entry : panel_.entries()) w.push_back(entry.width);
    return w;
  };
  const auto png = SolidPng(8, 8, kNormal);
  panel_.AddEntry(png, std::nullopt, std::nullopt, 11, 15, 1);
  panel_.AddEntry(png, std::nullopt, std::nullopt, 12, 15, 3);
  panel_.AddEntry(png, std::nullopt, std::nullopt, 13, 15, 9);
  panel_.AddEntry(png, std::nullopt, std::nullopt, 14, 15, -1);
  panel_.AddEntry(png, std::nullopt, std::nullopt, 15, 15, 0);
  panel_.AddEntry(png, std::nullopt, std::nullopt, 16, 15, -2);
  EXPECT_EQ(widths(), (std::vector<int>{11, 20, 12, 20, 13, 14}));
}

// A window whose `Wxk_LBID` names a panel's slot is limited to the size the
// panel reports (its point): a child inside the limit is clipped out of the
// window's DC, the parts beyond it are left to the painter. Asking for the
// size leaves the panel's redraw flag alone.
TEST_F(PanelTest, AWindowLimitedThroughAPanelSlotClipsItsChildrenOnlyWithinTheReportedSize) {
  TestWindow holder(200, 100, L"limited", WS_POPUP | WS_VISIBLE);
  for (int x : {10, 60, 120}) holder.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, x, 10, 20, 20);
  SetSkinProp(holder.hwnd(), prop::Wxk_LBID, panel_.GetCallbackSlot());
  panel_.SetPoint(100, 25);
  panel_.SetRedrawPending(0);
  const SkinMemoryDc dc = SkinMemoryDc::Create(200, 100);
  SkinGetClippedDC(holder.hwnd(), dc.get());
  EXPECT_FALSE(PtVisible(dc.get(), 20, 20)) << "the first child, inside the limit";
  EXPECT_FALSE(PtVisible(dc.get(), 70, 20)) << "the second child, inside the limit";
  EXPECT_TRUE(PtVisible(dc.get(), 20, 27)) << "the first child, below the limit's height";
  EXPECT_TRUE(PtVisible(dc.get(), 130, 20)) << "the third child, right of the limit's width";
  EXPECT_TRUE(PtVisible(dc.get(), 45, 20)) << "between the children";
  EXPECT_EQ(panel_.GetRedrawPending(), 0);
}

// ---- the picture by pixels -----------------------------------------------------

// The default frame is grey 0x808080 at alpha 200 over the background; the
// default fill lets the background through. Every paint hands the picture to
// the form's child layer, which the skin restores the panel's place from: a
// layer made anew (as a form render makes it) gets it back at the next paint.
TEST_F(PanelTest, PictureByPixelsOnScreenAndInTheChildLayer) {
  const PixelBuffer shot = CaptureClient(window_);
  ASSERT_EQ(shot.width, 206);
  const int h = shot.height, iconTop = (h - 12) / 2;
  auto blend = [](uint32_t back) { return (0x80 * 200 + back * 55) / 255; };
  const uint32_t frame = blend(0x33) << 16 | blend(0x66) << 8 | blend(0xAA);
  const struct { POINT at; uint32_t rgb; int tolerance; } probes[] = {
      {{0, h / 2}, frame, 12},     {{0, 0}, kBackground, 8},  // outside the rounded corner
      {At(1), kNormal, 8},         {At(2), kNormal, 8},
      {{At(2).x + 11, h / 2}, kBackground, 8},  // right of the entries
      {{3 + 6, iconTop + 6}, kIcon, 8}, {{3 + 1, iconTop + 1}, kIcon, 8},
      {{20, h / 2}, 0xFFFFFF, 8}};  // the edit box
  for (const auto& [at, rgb, tolerance] : probes) {
    EXPECT_TRUE(ColorNear(shot.RgbAt(at.x, at.y), rgb, tolerance))
        << at.x << ", " << at.y << ": " << std::hex << shot.RgbAt(at.x, at.y);
  }
  if (HasFailure()) SaveFailureImage(shot, "panel_picture");

  SkinWindowRecord* record = SkinRecordAt(form_.recordNumber());
  POINT p = At(1);
  MapWindowPoints(window_, form_.hwnd(), &p, 1);
  auto layerAt = [&] { return CaptureDC(record->ChildBackDC.get(), p.x, p.y, 1, 1).RgbAt(0, 0); };
  EXPECT_TRUE(ColorNear(layerAt(), kNormal)) << std::hex << layerAt();
  record->ChildBackDC = SkinnedForm::Layer(400, 300, kBackground);
  ASSERT_TRUE(ColorNear(layerAt(), kBackground));
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(ColorNear(layerAt(), kNormal));
}

// A panel finds the skinned window it lies in through its parents. Its own
// `Hw_lbID` is its number among its window's containers, no record number:
// once that window is no longer skinned, the panel's picture goes into no
// other window's child layer, even one whose record number it carries.
TEST_F(PanelTest, APanelOutsideAnySkinnedWindowPaintsIntoNoOtherWindowsLayer) {
  SkinnedForm other{400, 300, kBackground};
  ZqkPanel panel;
  const HWND window = MakePanel(panel, other, 40);
  ASSERT_TRUE(window);
  ASSERT_EQ(GetSkinProp(window, prop::Hw_lbID), form_.recordNumber());
  SkinRemoveWindowRecord(other.recordNumber());
  ASSERT_EQ(GetSkinProp(window, prop::Hw_FuID), 0);
  SkinWindowRecord* record = SkinRecordAt(form_.recordNumber());
  record->ChildBackDC = SkinnedForm::Layer(400, 300, kBackground);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  panel.Paint();
  const PixelBuffer layer = CaptureDC(record->ChildBackDC.get(), 0, 0, 400, 300);
  int changed = 0;
  for (int y = 0; y < layer.height; ++y)
    for (int x = 0; x < layer.width; ++x) changed += !ColorNear(layer.RgbAt(x, y), kBackground);
  EXPECT_EQ(changed, 0);
}

// Asked for its client through WM_PRINTCLIENT, a panel gives what its window
// shows, its visible target's place left to the target; a pending redraw is
// made first, as a paint makes it.
TEST_F(PanelTest, PrintingTheClientGivesWhatTheWindowShowsAroundItsTarget) {
  RECT target = {};
  GetWindowRect(panel_.target(), &target);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&target), 2);
  constexpr uint32_t kFill = 0xFF00FF;
  // Pixels that differ around the target; in its place, with `filled`, those
  // the print drew on.
  auto differing = [&](const PixelBuffer& printed, const PixelBuffer& shown, bool filled) {
    int n = 0;
    for (int y = 0; y < shown.height; ++y)
      for (int x = 0; x < shown.width; ++x) {
        if (!PtInRect(&target, POINT{x, y})) n += printed.RgbAt(x, y) != shown.RgbAt(x, y);
        else if (filled) n += (printed.RgbAt(x, y) & 0xFFFFFF) != kFill;
      }
    return n;
  };
  const PixelBuffer printed = PrintClient(window_, kFill);
  ASSERT_EQ(printed.width, CaptureClient(window_).width);
  EXPECT_EQ(differing(printed, CaptureClient(window_), true), 0) << "clean";
  if (HasFailure()) SaveFailureImage(printed, "panel_printed");

  // Off screen a new frame colour waits for the next picture (the target,
  // hidden with the panel, is not left out of it).
  panel_.Show(0);
  panel_.SetFrameColor(0x0000FF);
  ASSERT_EQ(panel_.GetRedrawPending(), 1);
  const PixelBuffer redrawn = PrintClient(window_, kFill);
  EXPECT_EQ(panel_.GetRedrawPending(), 0);
  EXPECT_NE(redrawn.RgbAt(0, redrawn.height / 2), printed.RgbAt(0, printed.height / 2)) << "the new frame";
  panel_.Show(1);
  PumpMessages();
  EXPECT_EQ(differing(redrawn, CaptureClient(window_), false), 0) << "redrawn";
  if (HasFailure()) SaveFailureImage(redrawn, "panel_redrawn");
}

// A panel lies above the siblings made before it, a label reaching into its
// place among them.
TEST_F(PanelTest, APanelLiesAboveTheSiblingsMadeBeforeIt) {
  const HWND label = form_.AddChild(L"Static", L"label", WS_CHILD | WS_VISIBLE, 30, 150, 120, 30);
  ZqkPanel second;
  const HWND panel = MakePanel(second, form_, 160);
  EXPECT_EQ(GetWindow(form_.hwnd(), GW_CHILD), panel);
  bool labelBelow = false;
  for (HWND w = GetWindow(panel, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) labelBelow = labelBelow || w == label;
  EXPECT_TRUE(labelBelow);
}

// A panel off screen draws nothing when an entry comes or its frame colour
// changes; the picture it shows again has them.
TEST_F(PanelTest, AHiddenPanelShowsItsNewEntriesAndFrameWhenShownAgain) {
  panel_.Show(0);
  testsupport::PumpMessages();
  panel_.AddEntry(SolidPng(20, 15, kHover), std::nullopt, std::nullopt, 20, 15);
  panel_.SetFrameColor(0x0000FF);
  panel_.Show(1);
  ExpectEntry(3, kHover, "entry_added_while_hidden");
  const PixelBuffer shot = CaptureClient(window_);
  EXPECT_GT((shot.RgbAt(0, shot.height / 2) >> 16) & 0xFF, 0xB0u) << std::hex << shot.RgbAt(0, shot.height / 2);
}

// Styles 0 and 2 are rectangles, 1 and 3 rounded; 2 and 3 add a dark shade
// just inside the (red) frame; a background colour fills the outline.
TEST_F(PanelTest, FrameStylesAndBackgroundColour) {
  auto red = [](uint32_t rgb) { return ((rgb >> 16) & 0xFF) > 0xB0; };
  auto darker = [](uint32_t rgb) { return ((rgb & 0xFF) + ((rgb >> 8) & 0xFF)) < 0xAA + 0x66 - 20; };
  const struct { int style; std::optional<COLORREF> fill; const char* name; } rows[] = {
      {0, {}, "frame_style_0"}, {1, {}, "frame_style_1"}, {2, {}, "frame_style_2"},
      {3, {}, "frame_style_3"}, {1, RGB(0, 200, 0), "background_colour"}};
  ZqkPanel panels[5];
  for (int i = 0; i < 5; ++i) {
    const auto [s, fill, name] = rows[i];
    SCOPED_TRACE(name);
    const PixelBuffer shot = CaptureClient(MakePanel(panels[i], form_, 80 + 40 * i, s, fill));
    const int w = shot.width, h = shot.height;
    ASSERT_EQ(std::pair(w, h), std::pair(206, 26));
    EXPECT_TRUE(red(shot.RgbAt(0, h / 2)));  // the frame at the left edge
    EXPECT_TRUE(s % 2 == 1 ? ColorNear(shot.RgbAt(0, 0), kBackground) : red(shot.RgbAt(0, 0)));
    if (!fill) { EXPECT_EQ(darker(shot.RgbAt(w / 2, 1)), s >= 2); }
    EXPECT_TRUE(ColorNear(shot.RgbAt(w - 3, h / 2), fill ? 0x00C800 : kBackground));
    if (HasFailure()) SaveFailureImage(shot, name);
  }
}

// ---- real mouse input ------------------------------------------------------------

// The routine may open a modal dialog: the press must be over and the mouse
// given back before it runs.
TEST_F(PanelTest, HoverPressAndReleaseGiveTheMouseBackBeforeTheRoutine) {
  MouseMoveTo(window_, At(1).x, At(1).y);
  EXPECT_EQ(panel_.hoveredEntry(), 1);
  ExpectEntry(1, kHover, "hover");
  ExpectEntry(2, kNormal, "hover_other");
  MouseDown(window_, At(1).x, At(1).y);
  EXPECT_EQ(panel_.pressedEntry(), 1);
  EXPECT_EQ(GetCapture(), window_);
  ExpectEntry(1, kPressed, "pressed");
  MouseUp(window_, At(1).x, At(1).y);
  EXPECT_EQ(panel_.pressedEntry(), 0);
  ASSERT_EQ(clicked, std::vector<int32_t>{1});
  EXPECT_EQ(captureAtClick[0], nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectEntry(1, kHover, "released");
  // A press on entry 2 calls the routine with 2 wherever it is released.
  MouseDown(window_, At(2).x, At(2).y);
  MouseUp(window_, At(2).x, At(2).y + 60);
  EXPECT_EQ(clicked, (std::vector<int32_t>{1, 2}));
}

// ---- the keyboard beside the mouse -----------------------------------------------

constexpr LPARAM kFirstKeyDown = 1;             // not a repeat
constexpr LPARAM kKeyUp = LPARAM(0xC0000001u);  // previous state down, released

// Space while the mouse holds entry 2 leaves the press to the mouse: entry 1
// is not pushed, entry 2 shows pressed until the mouse lets it go and is
// the one clicked, and the release of Space clicks nothing.
TEST_F(PanelTest, SpaceWhileTheMouseHoldsAnotherEntryLeavesThePressToTheMouse) {
  MouseMoveTo(window_, At(2).x, At(2).y);
  MouseDown(window_, At(2).x, At(2).y);
  ASSERT_EQ(panel_.pressedEntry(), 2);
  SendMessageW(window_, WM_KEYDOWN, VK_SPACE, kFirstKeyDown);
  EXPECT_EQ(panel_.pressedEntry(), 2);
  ExpectEntry(1, kNormal, "space_beside_the_mouse");
  ExpectEntry(2, kPressed, "held_by_the_mouse");
  MouseUp(window_, At(2).x, At(2).y);
  SendMessageW(window_, WM_KEYUP, VK_SPACE, kKeyUp);
  EXPECT_EQ(clicked, std::vector<int32_t>{2});
  ExpectEntry(2, kHover, "let_go_by_the_mouse");
  ExpectEntry(1, kNormal, "space_released");
}

// A press of the mouse while Space pushes entry 1 ends the push unclicked:
// entry 1 shows normal again, entry 2 is the one pressed and clicked.
TEST_F(PanelTest, APressOfTheMouseEndsThePushOfSpaceUnclicked) {
  SendMessageW(window_, WM_KEYDOWN, VK_SPACE, kFirstKeyDown);
  ASSERT_EQ(panel_.pressedEntry(), 1);
  ExpectEntry(1, kPressed, "pushed_by_space");
  MouseMoveTo(window_, At(2).x, At(2).y);
  MouseDown(window_, At(2).x, At(2).y);
  EXPECT_EQ(panel_.pressedEntry(), 2);
  ExpectEntry(1, kNormal, "push_ended_by_the_mouse");
  ExpectEntry(2, kPressed, "pressed_by_the_mouse");
  MouseUp(window_, At(2).x, At(2).y);
  SendMessageW(window_, WM_KEYUP, VK_SPACE, kKeyUp);
  EXPECT_EQ(clicked, std::vector<int32_t>{2});
  ExpectEntry(1, kNormal, "space_released_after_the_mouse");
}

// ---- the cursor file ---------------------------------------------------------------

// A new cursor file destroys the one it replaces; a missing file keeps it.
// The file is a 32 x 32 monochrome cursor named in Chinese: its GBK path must
// reach the system as such on a display language that is not Chinese.
TEST_F(PanelTest, CursorFileReplacesAndDestroysThePreviousOne) {
  std::vector<uint8_t> bytes = {0, 0, 2, 0, 1, 0, 32, 32, 0, 0, 0, 0, 0, 0, 0x30, 1, 0, 0, 22, 0, 0,
                                0, 40, 0, 0, 0, 32, 0, 0, 0, 64, 0, 0, 0, 1, 0, 1, 0};  // 1 bpp
  bytes.resize(22 + 40 + 4, 0);                         // the header and a black ...
  bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0});     // ... and a white palette entry
  bytes.insert(bytes.end(), 128, 0xFF);                 // XOR mask: white
  bytes.insert(bytes.end(), 128, 0x00);                 // AND mask: opaque
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "\xB9\xE2\xB1\xEA.cur";  // 光标.cur
  const std::wstring wide = gdip::AnsiToWide(path);
  std::ofstream(std::filesystem::path(wide), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));

  const long start = platform::LiveGdiObjectCount();
  EXPECT_EQ(panel_.SetCursorFile(path), 1);
  const HCURSOR first = panel_.cursor();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(platform::LiveGdiObjectCount(), start + 1);
  EXPECT_EQ(panel_.SetCursorFile(path), 1);
  const HCURSOR kept = panel_.cursor();
  EXPECT_NE(kept, nullptr);
  EXPECT_NE(kept, first);
  EXPECT_EQ(platform::LiveGdiObjectCount(), start + 1);  // the first one is gone
  ICONINFO info = {};
  EXPECT_FALSE(GetIconInfo(first, &info));
  EXPECT_EQ(panel_.SetCursorFile(path + ".missing"), 0);
  EXPECT_EQ(panel_.cursor(), kept);
  DestroyWindow(window_);
  PumpMessages();
  EXPECT_EQ(panel_.cursor(), nullptr);
  EXPECT_FALSE(GetIconInfo(kept, &info));
  DeleteFileW(wide.c_str());
}

}  // namespace
}  // namespace korvath::skin
