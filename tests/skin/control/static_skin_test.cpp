// The statics of a skinned box: their kinds, their growth for the glow, the
// text and pictures drawn over the skinned background, and one entry and one
// layer however often the installer runs.
#include "skin/control/static_skin.h"

#include <gtest/gtest.h>

#include "skin/control/control_installers.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::ColorNear;
using testsupport::PixelBuffer;
using test::Shown;

constexpr uint32_t kBackground = 0x4080C0;

class StaticSkinTest : public test::EngineTest {
 protected:
  StaticSkinTest() { SkinEnabled = true; }
  HWND AddStatic(const wchar_t* text, DWORD style, int x, int y, int w, int h) {
    return CreateWindowExW(0, L"Static", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, form_.hwnd(), nullptr,
                           nullptr, nullptr);
  }
  static RECT Size(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return r;
  }
  static void Repaint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
  SkinWindowRecord& record() { return *SkinRecordAt(form_.recordNumber()); }
  fixture::SkinnedForm form_{300, 200, kBackground};
};

// Text statics grow by the extra room once; the low two style bits make an
// icon, all of 0xE a bitmap; the image placement follows the style. A second
// run adds nothing and subclasses nothing again.
TEST_F(StaticSkinTest, StaticsAreSortedByKindAndInstalledOnce) {
  const HWND text = AddStatic(L"WWW", SS_CENTER, 10, 10, 100, 20);
  const HWND icon = AddStatic(L"", SS_ICON | SS_REALSIZECONTROL, 10, 40, 32, 32);
  const HWND bitmap = AddStatic(L"", SS_BITMAP | SS_CENTERIMAGE | SS_RIGHTJUST, 60, 40, 40, 30);
  StaticSkinInstall(form_.recordNumber(), form_.hwnd(), 9, 14);
  const LONG_PTR proc = GetWindowLongPtrW(text, GWLP_WNDPROC);
  StaticSkinInstall(form_.recordNumber(), form_.hwnd(), 9, 14);
  ASSERT_EQ(record().Statics.size(), 3u);
  EXPECT_EQ(StaticIsListed(form_.recordNumber(), bitmap), 3);
  EXPECT_EQ(GetWindowLongPtrW(text, GWLP_WNDPROC), proc);
  EXPECT_EQ(Size(text).right, 109);
  EXPECT_EQ(Size(text).bottom, 34);
  const SkinStaticEntry& t = record().Statics[0];
  const SkinStaticEntry& i = record().Statics[1];
  const SkinStaticEntry& b = record().Statics[2];
  EXPECT_EQ(t.kind, 1);
  EXPECT_EQ(t.imagePlacement, 0);
  EXPECT_EQ(i.kind, 3);
  EXPECT_EQ(i.imagePlacement, 3);
  EXPECT_EQ(b.kind, 2);
  EXPECT_EQ(b.imagePlacement, 2);
  EXPECT_EQ(SendMessageW(text, WM_GETTEXTLENGTH, 0, 0), 3);
  SkinEnabled = false;
  const HWND late = AddStatic(L"x", 0, 10, 100, 50, 20);
  StaticSkinInstall(form_.recordNumber(), form_.hwnd(), 9, 14);
  EXPECT_EQ(StaticIsListed(form_.recordNumber(), late), 0);
}

// Text is drawn black at the top-left over the skinned background, and a
// new text shows at once; a centred bitmap sits in the middle of it.
TEST_F(StaticSkinTest, TextAndPicturesAreDrawnOverTheSkinnedBackground) {
  const HWND text = AddStatic(L"", 0, 10, 10, 100, 20);
  const HWND bitmap = AddStatic(L"", SS_BITMAP | SS_CENTERIMAGE, 10, 60, 40, 30);
  const platform::GdiBitmap red(CreateBitmap(10, 10, 1, 32, std::vector<uint32_t>(100, 0x00FF0000).data()));
  SendMessageW(bitmap, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red.get()));
  StaticSkinInstall(form_.recordNumber(), form_.hwnd(), 9, 14);
  SetWindowTextW(text, L"WWW");
  const PixelBuffer shown = Shown(text);
  int dark = 0;
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < 50; ++x)
      if ((shown.RgbAt(x, y) & 0xFF) < 60) ++dark;
  EXPECT_GT(dark, 20);
  EXPECT_TRUE(ColorNear(shown.RgbAt(100, 30), kBackground, 0));

  Repaint(bitmap);
  const PixelBuffer picture = Shown(bitmap);
  const RECT size = Size(bitmap);
  EXPECT_TRUE(ColorNear(picture.RgbAt(size.right / 2, size.bottom / 2), 0xFF0000, 2));
  EXPECT_TRUE(ColorNear(picture.RgbAt(1, 1), kBackground, 0));
}

}  // namespace
}  // namespace korvath::skin
