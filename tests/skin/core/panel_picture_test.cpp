// The panel's picture by pixels: the four frame styles, a background colour,
// the icon, printing, the parent's own background under an unskinned form,
// and the cursor file it shows over its entries.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/control/container_skin.h"
#include "skin/core/memory_dc.h"
#include "skin/core/panel_window.h"
#include "skin/core/skin_picture.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using fixture::PlainForm;
using fixture::SkinnedForm;
using fixture::SolidPng;
using testsupport::CaptureClient;
using testsupport::CaptureDC;
using testsupport::ColorNear;
using testsupport::PixelBuffer;
using testsupport::PumpMessages;
using testsupport::SaveFailureImage;

constexpr uint32_t kBackground = 0x3366AA;  // the form's back buffer
constexpr COLORREF kRedFrame = 0x0000FF;    // COLORREF of pure red

class PanelPictureTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallContainerSkin(); }

  // A panel over a 200 x 20 box, its picture as the screen shows it.
  PixelBuffer PanelWith(ZqkWindow& panel, std::optional<int> style,
                        std::optional<COLORREF> background = std::nullopt,
                        std::optional<int> alpha = std::nullopt) {
    const HWND edit = form_.AddEdit(40, 40 + 40 * count_++, 200, 20);
    const SkinPicture picture;
    panel.Create(edit, style, kRedFrame, background, alpha, picture);
    PumpMessages(50);
    return CaptureClient(panel.panel());
  }

  SkinnedForm form_{400, 300, kBackground};
  int count_ = 0;
};

// Style 0 and 2 are rectangles, 1 and 3 rounded; 2 and 3 add a dark shade
// just inside the frame.
TEST_F(PanelPictureTest, FrameStyles) {
  ZqkWindow styles[4];
  PixelBuffer shots[4];
  for (int s = 0; s < 4; ++s) shots[s] = PanelWith(styles[s], s);
  const int w = shots[0].width;
  const int h = shots[0].height;
  ASSERT_EQ(w, 206);
  ASSERT_EQ(h, 26);
  const int midY = h / 2;
  // The frame line at the left edge, halfway down: red over the background.
  for (int s = 0; s < 4; ++s) {
    EXPECT_GT(int((shots[s].RgbAt(0, midY) >> 16) & 0xFF), 0xB0) << "style " << s;
  }
  // The top-left corner pixel: on the frame for rectangles, outside it for
  // rounded outlines.
  EXPECT_GT(int((shots[0].RgbAt(0, 0) >> 16) & 0xFF), 0xB0);
  EXPECT_GT(int((shots[2].RgbAt(0, 0) >> 16) & 0xFF), 0xB0);
  EXPECT_TRUE(ColorNear(shots[1].RgbAt(0, 0), kBackground));
  EXPECT_TRUE(ColorNear(shots[3].RgbAt(0, 0), kBackground));
  // One pixel inside the frame at the top, mid-way along: the shade darkens
  // the background with styles 2 and 3 only.
  auto darker = [](uint32_t rgb) { return ((rgb & 0xFF) + ((rgb >> 8) & 0xFF)) < 0xAA + 0x66 - 20; };
  EXPECT_FALSE(darker(shots[0].RgbAt(w / 2, 1)));
  EXPECT_FALSE(darker(shots[1].RgbAt(w / 2, 1)));
  EXPECT_TRUE(darker(shots[2].RgbAt(w / 2, 1)));
  EXPECT_TRUE(darker(shots[3].RgbAt(w / 2, 1)));
  // Inside, beside the edit box (which starts 3 pixels in), only the
  // background: the default fill is fully transparent.
  EXPECT_TRUE(ColorNear(shots[0].RgbAt(w - 3, midY), kBackground));
  if (HasFailure()) {
    const char* names[] = {"frame_style_0", "frame_style_1", "frame_style_2", "frame_style_3"};
    for (int s = 0; s < 4; ++s) SaveFailureImage(shots[s], names[s]);
  }
}

TEST_F(PanelPictureTest, BackgroundColourFillsInsideTheOutline) {
  ZqkWindow panel;
  const PixelBuffer shot = PanelWith(panel, 1, RGB(0, 200, 0), 255);
  const int w = shot.width;
  EXPECT_TRUE(ColorNear(shot.RgbAt(w - 3, shot.height / 2), 0x00C800));
  EXPECT_TRUE(ColorNear(shot.RgbAt(0, 0), kBackground));  // outside the rounded corner
  if (HasFailure()) SaveFailureImage(shot, "background_colour");
}

TEST_F(PanelPictureTest, IconDrawnAtTheLeftAndTheBoxMovedRightOfIt) {
  ZqkWindow panel;
  PanelWith(panel, 0);
  panel.SetIcon(SolidPng(16, 16, 0xFF00FF), 12, 12);
  PumpMessages(50);
  const PixelBuffer shot = CaptureClient(panel.panel());
  // At x 3 .. 14, centred vertically.
  const int top = (shot.height - 12) / 2;
  EXPECT_TRUE(ColorNear(shot.RgbAt(3 + 6, top + 6), 0xFF00FF));
  EXPECT_TRUE(ColorNear(shot.RgbAt(3 + 1, top + 1), 0xFF00FF));
  RECT box;
  GetWindowRect(panel.target(), &box);
  MapWindowPoints(nullptr, panel.panel(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, 12 + 4);
  if (HasFailure()) SaveFailureImage(shot, "icon");
}

TEST_F(PanelPictureTest, PrintingGivesThePictureOnTheScreen) {
  ZqkWindow panel;
  PanelWith(panel, 3);
  panel.AddEntry(SolidPng(16, 16, 0xE02020));
  PumpMessages(50);
  const PixelBuffer screen = CaptureClient(panel.panel());
  RECT c;
  GetClientRect(panel.panel(), &c);
  SkinMemoryDc printed = SkinMemoryDc::Create(c.right, c.bottom);
  SendMessageW(panel.panel(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.get()), PRF_CLIENT);
  const PixelBuffer copy = CaptureDC(printed.get(), 0, 0, c.right, c.bottom);
  const RECT e = panel.entries()[0].rectangle;
  EXPECT_TRUE(ColorNear(copy.RgbAt((e.left + e.right) / 2, (e.top + e.bottom) / 2), 0xE02020));
  EXPECT_EQ(copy.RgbAt(0, c.bottom / 2), screen.RgbAt(0, c.bottom / 2));
  EXPECT_EQ(copy.RgbAt(c.right - 2, 2), screen.RgbAt(c.right - 2, 2));
}

// Under a form that the skin does not know, the panel is no container of any
// record and shows what the parent paints itself under it.
TEST(UnskinnedPanelPictureTest, ParentsOwnBackgroundShowsThrough) {
  InstallContainerSkin();
  PlainForm form(400, 200, RGB(0x20, 0xA0, 0x60));
  const HWND edit = form.AddEdit(40, 40, 200, 20);
  ZqkWindow panel;
  const SkinPicture picture;
  const HWND window = panel.Create(edit, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                   picture);
  EXPECT_EQ(GetSkinProp(window, prop::Zqk_FuID), 0);
  EXPECT_EQ(GetSkinProp(window, prop::Hw_FuID), 0);
  EXPECT_NE(GetSkinPropHandle<WNDPROC>(window, prop::Zqk_Jgc), &ContainerSkinWndProc);
  panel.AddEntry(SolidPng(16, 16, 0xE02020));
  PumpMessages(50);
  const PixelBuffer shot = CaptureClient(panel.panel());
  const RECT e = panel.entries()[0].rectangle;
  EXPECT_TRUE(ColorNear(shot.RgbAt(e.right + 1, shot.height / 2), 0x20A060));
  EXPECT_TRUE(ColorNear(shot.RgbAt(0, 0), 0x20A060));
  EXPECT_TRUE(ColorNear(shot.RgbAt((e.left + e.right) / 2, (e.top + e.bottom) / 2), 0xE02020));
  // A single entry redrawn under the mouse keeps the same background.
  SendMessageW(panel.panel(), WM_MOUSEMOVE, 0, MAKELPARAM(e.left + 1, e.top + 1));
  SendMessageW(panel.panel(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  const PixelBuffer after = CaptureClient(panel.panel());
  EXPECT_TRUE(ColorNear(after.RgbAt(e.right - 1, e.top + 1), 0xE02020));
  if (::testing::Test::HasFailure()) SaveFailureImage(shot, "unskinned_parent");
}

// ---- the cursor file ------------------------------------------------------------

// A 32 x 32 monochrome cursor file: a filled square with its hot spot at 0, 0.
std::vector<uint8_t> CursorFileBytes() {
  std::vector<uint8_t> bytes;
  auto put16 = [&](uint16_t v) { bytes.push_back(uint8_t(v)); bytes.push_back(uint8_t(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(uint16_t(v)); put16(uint16_t(v >> 16)); };
  const uint32_t image = 40 + 8 + 128 + 128;
  put16(0); put16(2); put16(1);                     // reserved, type cursor, one image
  bytes.push_back(32); bytes.push_back(32);         // width, height
  bytes.push_back(0); bytes.push_back(0);           // colours, reserved
  put16(0); put16(0);                               // hot spot
  put32(image); put32(6 + 16);                      // size, offset
  put32(40); put32(32); put32(64); put16(1); put16(1);  // header: XOR and AND masks, 1 bpp
  put32(0); put32(0); put32(0); put32(0); put32(0); put32(0);
  put32(0x000000); put32(0xFFFFFF);                 // palette
  for (int i = 0; i < 128; ++i) bytes.push_back(0xFF);  // XOR mask: white
  for (int i = 0; i < 128; ++i) bytes.push_back(0x00);  // AND mask: opaque
  return bytes;
}

// A file named in Chinese: the path is GBK and must reach the system as such
// on a display language that is not Chinese.
std::string WriteCursorFile(const char* gbkName) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + gbkName;
  const std::wstring wide = gdip::AnsiToWide(path);
  const std::vector<uint8_t> bytes = CursorFileBytes();
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

TEST_F(PanelPictureTest, CursorFileReplacesAndDestroysThePreviousOne) {
  ZqkWindow panel;
  PanelWith(panel, 3);
  const std::string path = WriteCursorFile("\xB9\xE2\xB1\xEA.cur");  // 光标.cur
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
