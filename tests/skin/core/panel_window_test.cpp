// The panel window: its place over the target, its entries and layout, its
// records in the callback list, its picture by pixels, real mouse input, the
// resource cycle and the cursor file.
#include "skin/core/panel_window.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "skin/control/container_skin.h"
#include "skin/core/callbacks.h"
#include "skin/core/skin_picture.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using namespace testsupport;
using fixture::PlainForm;
using fixture::SkinnedForm;
using fixture::SolidPng;
using Box = std::array<LONG, 4>;

constexpr uint32_t kBackground = 0x3366AA;  // the form's back buffer
constexpr uint32_t kNormal = 0xE02020, kHover = 0x20C020, kPressed = 0x2020E0;

Box B(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
RECT RectInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<int32_t> clicked;      // entries the click routine got
std::vector<HWND> captureAtClick;  // the mouse capture while it ran
int32_t CALLBACK OnEntryClick(int32_t entry) {
  clicked.push_back(entry);
  captureAtClick.push_back(GetCapture());
  return 0;
}

HWND MakePanel(ZqkWindow& panel, HWND target, std::optional<int> style = std::nullopt,
               std::optional<COLORREF> background = std::nullopt,
               std::optional<int> alpha = std::nullopt) {
  const HWND window = panel.Create(target, style, style ? std::optional<COLORREF>(0x0000FF)
                                                        : std::nullopt,
                                   background, alpha, SkinPicture());
  PumpMessages(50);
  return window;
}

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallContainerSkin();
    clicked.clear();
    captureAtClick.clear();
  }
  HWND Make(ZqkWindow& panel, int x, int y, int w, int h, std::optional<int> style = std::nullopt,
            std::optional<COLORREF> background = std::nullopt, std::optional<int> alpha = {}) {
    return MakePanel(panel, form_.AddEdit(x, y, w, h), style, background, alpha);
  }
  SkinnedForm form_{400, 300, kBackground};
};

TEST_F(PanelTest, CreateLaysThePanelOverTheTargetAndAdoptsIt) {
  ZqkWindow panel;
  const HWND window = Make(panel, 40, 30, 200, 20);
  const HWND edit = panel.target();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(GetParent(window), form_.hwnd());
  EXPECT_EQ(GetParent(edit), window);
  EXPECT_EQ(B(RectInParent(window)), (Box{40, 30, 246, 56}));
  // Without a picture the target keeps its size, 3 pixels in from the edges.
  EXPECT_EQ(B(RectInParent(edit)), (Box{3, 3, 203, 23}));
  // The native border is gone and the frame recalculated.
  RECT client;
  GetClientRect(edit, &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_FALSE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(PanelTest, AddEntryCopiesImagesAndPlacesByPosition) {
  ZqkWindow panel;
  Make(panel, 40, 30, 200, 20);
  const auto red = SolidPng(16, 16, 0xFF0000), green = SolidPng(16, 16, 0x00FF00),
             blue = SolidPng(16, 16, 0x0000FF);
  panel.AddEntry(red);
  panel.AddEntry(green, std::nullopt, std::nullopt, 12, 10);
  panel.AddEntry(blue, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 1);
  panel.AddEntry(red, green, blue, std::nullopt, std::nullopt, 7);  // past the end: appended
  panel.AddEntry(red, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0);
  panel.AddEntry(red, std::nullopt, std::nullopt, std::nullopt, std::nullopt, -2);
  const auto& e = panel.entries();
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].normalImage, blue);
  EXPECT_EQ(e[1].normalImage, red);
  EXPECT_EQ(e[1].hoverImage, red);
  EXPECT_EQ(e[1].pressedImage, red);
  EXPECT_EQ(e[1].width, 16);
  EXPECT_EQ(e[1].height, 16);
  EXPECT_EQ(e[2].normalImage, green);
  EXPECT_EQ(e[2].width, 12);
  EXPECT_EQ(e[3].hoverImage, green);
  EXPECT_EQ(e[3].pressedImage, blue);
}

// Entries sit at the right end one pixel apart, centred; an icon pushes the
// box right; a hit includes an entry's right and bottom edges.
TEST_F(PanelTest, LayoutAndHitTestOfSeveralEntriesAndAnIcon) {
  ZqkWindow panel;
  const HWND window = Make(panel, 10, 10, 300, 30);
  panel.AddEntry(SolidPng(16, 16, 0xFF0000));
  panel.AddEntry(SolidPng(10, 8, 0x00FF00), std::nullopt, std::nullopt, 10, 8);
  panel.SetIcon(SolidPng(16, 16, 0x0000FF), 12, 12);
  RECT c;
  GetClientRect(window, &c);
  const int total = (16 + 1) + (10 + 1);
  const RECT a = panel.entries()[0].rectangle, b = panel.entries()[1].rectangle;
  EXPECT_EQ(B(a), (Box{c.right - total - 2, (c.bottom - 16) / 2 + 1, c.right - total + 14,
                       (c.bottom - 16) / 2 + 17}));
  EXPECT_EQ(B(b), (Box{a.right + 1, (c.bottom - 8) / 2 + 1, a.right + 11, (c.bottom - 8) / 2 + 9}));
  const RECT t = RectInParent(panel.target());
  EXPECT_EQ(t.left, 12 + 4);
  EXPECT_EQ(t.right - t.left, c.right - 12 - 8 - total);

  EXPECT_EQ(panel.HitTest(a.left, a.top), 1);
  EXPECT_EQ(panel.HitTest(a.right, a.bottom), 1);
  EXPECT_EQ(panel.HitTest(a.left - 1, a.top), 0);
  EXPECT_EQ(panel.HitTest(a.left, a.bottom + 1), 0);
  EXPECT_EQ(panel.HitTest(b.left, b.top), 2);
  EXPECT_EQ(panel.HitTest(b.right, b.top), 2);
  EXPECT_EQ(panel.HitTest(b.right + 1, b.top), 0);
}

int32_t CALLBACK OtherRoutine(int32_t entry) { return -entry; }

// A freed record is taken again by the next panel and leads to it; a second
// release of the first object leaves that record alone.
TEST_F(PanelTest, CallbackRecordIsReusedAndASecondReleaseKeepsIt) {
  ZqkWindow a, b;
  const HWND panelA = Make(a, 10, 10, 300, 30);
  EXPECT_EQ(a.SetCallback(SkinRoutine(&OtherRoutine)), 1);
  EXPECT_EQ(a.SetCallback(SkinRoutine()), 0);  // an empty routine is refused
  EXPECT_EQ(a.callback(), SkinRoutine(&OtherRoutine));
  EXPECT_FALSE(a.BuildThunks(0));
  EXPECT_FALSE(a.BuildThunks(int(SkinCallbackList.size()) + 1));
  const int slot = a.GetCallbackSlot();
  ASSERT_GE(slot, 1);
  EXPECT_EQ(SkinCallbackList[slot - 1].window, panelA);
  const size_t grown = SkinCallbackList.size();

  DestroyWindow(panelA);
  PumpMessages();
  EXPECT_TRUE(SkinCallbackList[slot - 1].free);
  EXPECT_EQ(SkinCallbackList[slot - 1].window, nullptr);
  EXPECT_EQ(a.panel(), nullptr);

  const HWND panelB = Make(b, 10, 60, 300, 30);
  EXPECT_EQ(b.GetCallbackSlot(), slot);
  EXPECT_EQ(SkinCallbackList.size(), grown);
  a.Release();
  EXPECT_FALSE(SkinCallbackList[slot - 1].free);
  EXPECT_EQ(SkinCallbackList[slot - 1].window, panelB);
  b.SetRedrawPending(0);
  EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 1);
  EXPECT_EQ(b.GetRedrawPending(), 1);
  b.SetRedrawPending(0);
  SendMessageW(panelB, WM_SIZE, 0, 0);  // the window finds b through its record
  EXPECT_EQ(b.GetRedrawPending(), 1);
}

// A panel whose object goes first gives its window back to the container
// skin, so no message reaches the object afterwards.
TEST_F(PanelTest, ObjectGoingBeforeItsWindowUnbindsIt) {
  HWND window = nullptr;
  int slot = 0;
  {
    ZqkWindow panel;
    window = Make(panel, 10, 10, 300, 30);
    slot = panel.GetCallbackSlot();
  }
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)),
            &ContainerSkinWndProc);
  EXPECT_EQ(SkinCallbackList[slot - 1].target, nullptr);
  EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 0);
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  PumpMessages();
}

// ---- the picture by pixels -----------------------------------------------------

// Style 0 and 2 are rectangles, 1 and 3 rounded; 2 and 3 add a dark shade
// just inside the (red) frame; the default fill lets the background through.
TEST_F(PanelTest, FrameStyles) {
  ZqkWindow styles[4];
  PixelBuffer shots[4];
  for (int s = 0; s < 4; ++s) shots[s] = CaptureClient(Make(styles[s], 40, 40 + 40 * s, 200, 20, s));
  const int w = shots[0].width, h = shots[0].height;
  ASSERT_EQ(w, 206);
  ASSERT_EQ(h, 26);
  auto red = [](uint32_t rgb) { return ((rgb >> 16) & 0xFF) > 0xB0; };
  auto darker = [](uint32_t rgb) { return ((rgb & 0xFF) + ((rgb >> 8) & 0xFF)) < 0xAA + 0x66 - 20; };
  for (int s = 0; s < 4; ++s) {
    SCOPED_TRACE(s);
    EXPECT_TRUE(red(shots[s].RgbAt(0, h / 2)));  // the frame at the left edge
    const uint32_t corner = shots[s].RgbAt(0, 0);  // outside a rounded outline
    EXPECT_TRUE(s % 2 == 1 ? ColorNear(corner, kBackground) : red(corner));
    EXPECT_EQ(darker(shots[s].RgbAt(w / 2, 1)), s >= 2);
    const char* names[] = {"frame_style_0", "frame_style_1", "frame_style_2", "frame_style_3"};
    if (HasFailure()) SaveFailureImage(shots[s], names[s]);
  }
  EXPECT_TRUE(ColorNear(shots[0].RgbAt(w - 3, h / 2), kBackground));
}

TEST_F(PanelTest, BackgroundColourFillsInsideTheOutline) {
  ZqkWindow panel;
  const PixelBuffer shot = CaptureClient(Make(panel, 40, 40, 200, 20, 1, RGB(0, 200, 0), 255));
  EXPECT_TRUE(ColorNear(shot.RgbAt(shot.width - 3, shot.height / 2), 0x00C800));
  EXPECT_TRUE(ColorNear(shot.RgbAt(0, 0), kBackground));  // outside the rounded corner
  if (HasFailure()) SaveFailureImage(shot, "background_colour");
}

TEST_F(PanelTest, IconDrawnAtTheLeftAndPrintingGivesTheScreensPicture) {
  ZqkWindow panel;
  const HWND window = Make(panel, 40, 40, 200, 20, 3);
  panel.SetIcon(SolidPng(16, 16, 0xFF00FF), 12, 12);
  panel.AddEntry(SolidPng(16, 16, kNormal));
  PumpMessages(50);
  const PixelBuffer screen = CaptureClient(window);
  const int top = (screen.height - 12) / 2;  // at x 3 .. 14, centred vertically
  EXPECT_TRUE(ColorNear(screen.RgbAt(3 + 6, top + 6), 0xFF00FF));
  EXPECT_TRUE(ColorNear(screen.RgbAt(3 + 1, top + 1), 0xFF00FF));

  const int w = screen.width, h = screen.height;
  SkinMemoryDc printed = SkinMemoryDc::Create(w, h);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.get()), PRF_CLIENT);
  const PixelBuffer copy = CaptureDC(printed.get(), 0, 0, w, h);
  const POINT e = Centre(panel.entries()[0].rectangle);
  EXPECT_TRUE(ColorNear(copy.RgbAt(e.x, e.y), kNormal));
  EXPECT_EQ(copy.RgbAt(0, h / 2), screen.RgbAt(0, h / 2));
  EXPECT_EQ(copy.RgbAt(w - 2, 2), screen.RgbAt(w - 2, 2));
  EXPECT_EQ(copy.RgbAt(3 + 6, top + 6), screen.RgbAt(3 + 6, top + 6));
  if (HasFailure()) SaveFailureImage(screen, "icon");
}

// Under a form that the skin does not know, the panel is no container of any
// record and shows what the parent paints itself under it.
TEST(UnskinnedPanelTest, ParentsOwnBackgroundShowsThrough) {
  InstallContainerSkin();
  PlainForm form(400, 200, 0x20A060);
  ZqkWindow panel;
  const HWND window = MakePanel(panel, form.AddEdit(40, 40, 200, 20));
  EXPECT_EQ(GetSkinProp(window, prop::Zqk_FuID), 0);
  EXPECT_EQ(GetSkinProp(window, prop::Hw_FuID), 0);
  EXPECT_NE(GetSkinPropHandle<WNDPROC>(window, prop::Zqk_Jgc), &ContainerSkinWndProc);
  panel.AddEntry(SolidPng(16, 16, kNormal));
  PumpMessages(50);
  const PixelBuffer shot = CaptureClient(window);
  const RECT e = panel.entries()[0].rectangle;
  EXPECT_TRUE(ColorNear(shot.RgbAt(e.right + 1, shot.height / 2), 0x20A060));
  EXPECT_TRUE(ColorNear(shot.RgbAt(0, 0), 0x20A060));
  EXPECT_TRUE(ColorNear(shot.RgbAt(Centre(e).x, Centre(e).y), kNormal));
  // A single entry redrawn under the mouse keeps the same background.
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(e.left + 1, e.top + 1));
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_TRUE(ColorNear(CaptureClient(window).RgbAt(e.right - 1, e.top + 1), kNormal));
  if (::testing::Test::HasFailure()) SaveFailureImage(shot, "unskinned_parent");
}

// ---- real mouse input ------------------------------------------------------------

// A panel with two entries 20 x 15 and the recording click routine.
class PanelInputTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    window_ = Make(panel_, 40, 40, 260, 20);
    for (int i = 0; i < 2; ++i) {
      panel_.AddEntry(SolidPng(20, 15, kNormal), SolidPng(20, 15, kHover),
                      SolidPng(20, 15, kPressed), 20, 15);
    }
    panel_.SetCallback(SkinRoutine(&OnEntryClick));
    PumpMessages(50);
    MouseMoveTo(form_.hwnd(), 5, 150);  // start away from the panel
  }
  POINT At(int n) { return Centre(panel_.entries()[n - 1].rectangle); }
  // The colour the screen shows at the centre of entry n.
  void ExpectEntry(int n, uint32_t rgb, const char* name) {
    PumpMessages(30);
    const PixelBuffer shot = CaptureClient(window_);
    const uint32_t seen = shot.RgbAt(At(n).x, At(n).y);
    if (!ColorNear(seen, rgb)) SaveFailureImage(shot, name);
    EXPECT_TRUE(ColorNear(seen, rgb)) << std::hex << "entry " << n << " shows " << seen;
  }
  ZqkWindow panel_;
  HWND window_ = nullptr;
};

TEST_F(PanelInputTest, PictureShowsParentBackgroundFrameAndEntries) {
  const PixelBuffer shot = CaptureClient(window_);
  ASSERT_FALSE(shot.Empty());
  const int midY = shot.height / 2;
  // Right of the second entry the transparent fill lets the form through.
  const bool background =
      ColorNear(shot.RgbAt(panel_.entries()[1].rectangle.right + 1, midY), kBackground);
  // The frame: grey 0x808080 at alpha 200 over the background.
  const uint32_t edge = shot.RgbAt(0, midY);
  const uint32_t blended = (((0x80 * 200 + 0x33 * 55) / 255) << 16) |
                           (((0x80 * 200 + 0x66 * 55) / 255) << 8) | ((0x80 * 200 + 0xAA * 55) / 255);
  const bool frame = ColorNear(edge, blended, 12);
  const bool entries = ColorNear(shot.RgbAt(At(1).x, At(1).y), kNormal) &&
                       ColorNear(shot.RgbAt(At(2).x, At(2).y), kNormal);
  const bool edit = ColorNear(shot.RgbAt(20, midY), 0xFFFFFF);
  if (!(background && frame && entries && edit)) SaveFailureImage(shot, "panel_picture");
  EXPECT_TRUE(background);
  EXPECT_TRUE(frame) << std::hex << edge << " expected near " << blended;
  EXPECT_TRUE(entries);
  EXPECT_TRUE(edit);
  EXPECT_TRUE(ColorNear(shot.RgbAt(0, 0), kBackground));  // outside the rounded corner
}

// The routine may open a modal dialog: the press must be over and the mouse
// given back before it runs.
TEST_F(PanelInputTest, HoverPressAndReleaseGiveTheMouseBackBeforeTheRoutine) {
  const POINT p = At(1);
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
  ASSERT_EQ(clicked, std::vector<int32_t>{1});
  EXPECT_EQ(captureAtClick[0], nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectEntry(1, kHover, "released");
}

// Hover moves straight from entry to entry and goes when the mouse leaves; a
// press that began on an entry calls back wherever it is released.
TEST_F(PanelInputTest, MovingAcrossEntriesAndReleasingElsewhere) {
  MouseMoveTo(window_, At(1).x, At(1).y);
  ExpectEntry(1, kHover, "first_hover");
  MouseMoveTo(window_, At(2).x, At(2).y);
  EXPECT_EQ(panel_.hoveredEntry(), 2);
  ExpectEntry(1, kNormal, "first_back");
  ExpectEntry(2, kHover, "second_hover");
  MouseMoveTo(form_.hwnd(), 10, 170);
  PumpMessages(100);
  EXPECT_EQ(panel_.hoveredEntry(), 0);
  ExpectEntry(2, kNormal, "left_panel");

  MouseMoveTo(window_, At(1).x, At(1).y);
  MouseDown(window_, At(1).x, At(1).y);
  MouseMoveTo(form_.hwnd(), 10, 170);
  MouseUp(form_.hwnd(), 10, 170);
  PumpMessages(100);
  EXPECT_EQ(clicked, std::vector<int32_t>{1});
  EXPECT_EQ(panel_.pressedEntry(), 0);
  EXPECT_EQ(panel_.hoveredEntry(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectEntry(1, kNormal, "released_elsewhere");
}

// The panel hands its picture to the form's child layer on every paint; a
// layer made anew (as a form render makes it) gets it back at the next one.
TEST_F(PanelInputTest, PaintStoresThePictureInTheChildLayer) {
  SkinWindowRecord* record = SkinRecordAt(form_.recordNumber());
  ASSERT_NE(record, nullptr);
  POINT entry = At(1);
  MapWindowPoints(window_, form_.hwnd(), &entry, 1);
  auto layerAt = [&] { return CaptureDC(record->ChildBackDC.get(), entry.x, entry.y, 1, 1).RgbAt(0, 0); };
  EXPECT_TRUE(ColorNear(layerAt(), kNormal)) << std::hex << layerAt();
  record->ChildBackDC = SkinnedForm::Layer(400, 300, kBackground);
  ASSERT_TRUE(ColorNear(layerAt(), kBackground));
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
  EXPECT_TRUE(ColorNear(layerAt(), kNormal));
}

// Hover, press, release and repaint, many times over: every GDI object and
// memory DC made on the way is given back.
TEST_F(PanelInputTest, LiveObjectsReturnToTheirStartAfterManyCycles) {
  const LPARAM on = MAKELPARAM(At(1).x, At(1).y), off = MAKELPARAM(2, 2);
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
  std::printf("panel cycle (hover, press, release, leave, repaint): %.2f ms\n", spent.count() / 10000);
  EXPECT_EQ(platform::LiveGdiObjectCount(), gdiStart);
  EXPECT_EQ(SkinMemoryDcList.size(), dcStart);
  EXPECT_EQ(clicked.size(), 10001u);
}

// ---- the cursor file ---------------------------------------------------------------

// A 32 x 32 monochrome cursor (hot spot 0, 0: white square, opaque) written
// under a Chinese name: the GBK path must reach the system as such.
std::string WriteCursorFile() {
  std::vector<uint8_t> bytes = {0, 0, 2, 0, 1, 0, 32, 32, 0, 0, 0, 0, 0, 0,   // one 32 x 32 image
                                0x30, 1, 0, 0, 22, 0, 0, 0,                   // 304 bytes at 22
                                40, 0, 0, 0, 32, 0, 0, 0, 64, 0, 0, 0, 1, 0, 1, 0};  // 1 bpp, 2 masks
  bytes.resize(22 + 40, 0);
  bytes.insert(bytes.end(), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});  // palette
  bytes.insert(bytes.end(), 128, 0xFF);                          // XOR mask: white
  bytes.insert(bytes.end(), 128, 0x00);                          // AND mask: opaque
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "\xB9\xE2\xB1\xEA.cur";  // 光标.cur
  HANDLE file = CreateFileW(gdip::AnsiToWide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

TEST_F(PanelTest, CursorFileReplacesAndDestroysThePreviousOne) {
  ZqkWindow panel;
  Make(panel, 40, 40, 200, 20, 3);
  const std::string path = WriteCursorFile();
  const long start = platform::LiveGdiObjectCount();
  EXPECT_EQ(panel.SetCursorFile(path), 1);
  const HCURSOR first = panel.cursor();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(platform::LiveGdiObjectCount(), start + 1);

  EXPECT_EQ(panel.SetCursorFile(path), 1);
  EXPECT_NE(panel.cursor(), nullptr);
  EXPECT_NE(panel.cursor(), first);
  EXPECT_EQ(platform::LiveGdiObjectCount(), start + 1);  // the first one is gone
  ICONINFO info = {};
  EXPECT_FALSE(GetIconInfo(first, &info));

  const HCURSOR kept = panel.cursor();
  EXPECT_EQ(panel.SetCursorFile(path + ".missing"), 0);
  EXPECT_EQ(panel.cursor(), kept);
  DestroyWindow(panel.panel());
  PumpMessages();
  EXPECT_EQ(panel.cursor(), nullptr);
  EXPECT_FALSE(GetIconInfo(kept, &info));
  DeleteFileW(gdip::AnsiToWide(path).c_str());
}

}  // namespace
}  // namespace korvath::skin
