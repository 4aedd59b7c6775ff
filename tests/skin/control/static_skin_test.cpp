// The statics of a skinned box: their kinds, their growth for the glow, the
// text (black) and pictures drawn over the skinned background, icons at
// their place or stretched, and one entry and one layer however often the
// installer runs.
#include "skin/control/static_skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

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
  StaticSkinTest() { SkinEngine.options.SkinEnabled = true; }
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
  // The static's place in its owner's static list; 0 when it has no entry.
  static int32_t Listed(HWND window) {
    const StaticRef entry = StaticIsListed(window);
    return entry ? entry.number : 0;
  }
  fixture::SkinnedForm form_{300, 200, kBackground};
};

// Text statics grow by the extra room once; the low two style bits make an
// icon, all of 0xE a bitmap; the image placement follows the style. A second
// run adds nothing and subclasses nothing again.
TEST_F(StaticSkinTest, StaticsAreSortedByKindAndInstalledOnce) {
  const HWND text = AddStatic(L"WWW", SS_CENTER, 10, 10, 100, 20);
  const HWND icon = AddStatic(L"", SS_ICON | SS_REALSIZECONTROL, 10, 40, 32, 32);
  const HWND bitmap = AddStatic(L"", SS_BITMAP | SS_CENTERIMAGE | SS_RIGHTJUST, 60, 40, 40, 30);
  StaticSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd(), 9, 14);
  const LONG_PTR proc = GetWindowLongPtrW(text, GWLP_WNDPROC);
  StaticSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd(), 9, 14);
  ASSERT_EQ(record().Statics.size(), 3u);
  EXPECT_EQ(Listed(icon), 2);
  EXPECT_EQ(Listed(bitmap), 3);
  EXPECT_EQ(GetWindowLongPtrW(text, GWLP_WNDPROC), proc);
  EXPECT_EQ(Size(text).right, 109);
  EXPECT_EQ(Size(text).bottom, 34);
  const SkinStaticEntry& t = record().Statics[0];
  const SkinStaticEntry& i = record().Statics[1];
  const SkinStaticEntry& b = record().Statics[2];
  EXPECT_EQ(t.kind, StaticKind::Text);
  EXPECT_EQ(t.imagePlacement, ImagePlacement::AtOrigin);
  EXPECT_EQ(i.kind, StaticKind::Icon);
  EXPECT_EQ(i.imagePlacement, ImagePlacement::Stretched);
  EXPECT_EQ(b.kind, StaticKind::Bitmap);
  EXPECT_EQ(b.imagePlacement, ImagePlacement::Centred);
  EXPECT_EQ(SendMessageW(text, WM_GETTEXTLENGTH, 0, 0), 3);
  SkinEngine.options.SkinEnabled = false;
  const HWND late = AddStatic(L"x", 0, 10, 100, 50, 20);
  StaticSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd(), 9, 14);
  EXPECT_EQ(Listed(late), 0);
}

// Text is drawn black at the top-left over the skinned background, and a
// new text shows at once; a centred bitmap sits in the middle of it.
TEST_F(StaticSkinTest, TextAndPicturesAreDrawnOverTheSkinnedBackground) {
  const HWND text = AddStatic(L"", 0, 10, 10, 100, 20);
  const HWND bitmap = AddStatic(L"", SS_BITMAP | SS_CENTERIMAGE, 10, 60, 40, 30);
  const platform::GdiBitmap red(CreateBitmap(10, 10, 1, 32, std::vector<uint32_t>(100, 0x00FF0000).data()));
  SendMessageW(bitmap, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red.get()));
  StaticSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd(), 9, 14);
  SetWindowTextW(text, L"WWW");
  const PixelBuffer shown = Shown(text);
  int dark = 0;
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < 50; ++x)
      if ((shown.RgbAt(x, y) & 0xFF) < 60) ++dark;
  EXPECT_GT(dark, 20);
  EXPECT_TRUE(ColorNear(shown.RgbAt(100, 30), kBackground, 0));
  // The ink is black: no pixel of the text leans to any colour, and its
  // darkest pixels are near black.
  int tinted = 0, black = 0;
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < 50; ++x) {
      const uint32_t c = shown.RgbAt(x, y);
      const int r = int(c >> 16 & 0xFF), g = int(c >> 8 & 0xFF), b = int(c & 0xFF);
      if (b >= 60) continue;  // the background and the glow
      if (std::max({r, g, b}) - std::min({r, g, b}) > 24) ++tinted;
      if (std::max({r, g, b}) < 0x30) ++black;
    }
  }
  EXPECT_EQ(tinted, 0);
  EXPECT_GT(black, 5);

  Repaint(bitmap);
  const PixelBuffer picture = Shown(bitmap);
  const RECT size = Size(bitmap);
  EXPECT_TRUE(ColorNear(picture.RgbAt(size.right / 2, size.bottom / 2), 0xFF0000, 2));
  EXPECT_TRUE(ColorNear(picture.RgbAt(1, 1), kBackground, 0));
}

// Asked for its client through WM_PRINTCLIENT, a static gives what its
// window shows: the skin's text and picture, and the native drawing of a
// blank one over the skinned background.
TEST_F(StaticSkinTest, PrintingTheClientGivesWhatTheWindowShows) {
  const HWND text = AddStatic(L"", 0, 10, 10, 100, 20);
  const HWND blank = AddStatic(L"", SS_ETCHEDFRAME, 10, 40, 60, 12);
  const HWND bitmap = AddStatic(L"", SS_BITMAP | SS_CENTERIMAGE, 10, 60, 40, 30);
  const platform::GdiBitmap red(CreateBitmap(10, 10, 1, 32, std::vector<uint32_t>(100, 0x00FF0000).data()));
  SendMessageW(bitmap, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red.get()));
  StaticSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd(), 9, 14);
  SetWindowTextW(text, L"WWW");
  const std::pair<const char*, HWND> statics[] = {{"text", text}, {"blank", blank}, {"bitmap", bitmap}};
  for (const auto& [name, window] : statics) {
    Repaint(window);
    const PixelBuffer shown = Shown(window);
    ASSERT_FALSE(shown.Empty());
    EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(window), shown)) << name;
  }
}

// A red 32 x 32 icon (DrawIcon's own size).
platform::OwnedIcon RedIcon() {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB};
  void* bits = nullptr;
  const platform::GdiBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const std::vector<uint32_t> red(32 * 32, 0xFFFF0000u);
  std::memcpy(bits, red.data(), red.size() * 4);
  const std::vector<uint8_t> zeros(32 * 4, 0);
  const platform::GdiBitmap mask(CreateBitmap(32, 32, 1, 1, zeros.data()));
  ICONINFO icon = {TRUE, 0, 0, mask.get(), colour.get()};
  return platform::OwnedIcon(CreateIconIndirect(&icon));
}

// An icon static draws its icon at the origin at its own size, also when
// its style asks for it centred; with SS_REALSIZECONTROL the icon fills the
// control. Without an icon the static keeps its own drawing (here the
// plain face the test form's default colour answer gives it).
TEST_F(StaticSkinTest, IconsStandAtTheOriginOrFillTheControl) {
  const platform::OwnedIcon icon = RedIcon();
  ASSERT_TRUE(icon);
  const HWND centred = AddStatic(L"", SS_ICON | SS_CENTERIMAGE, 10, 10, 48, 48);
  const HWND stretched = AddStatic(L"", SS_ICON | SS_REALSIZECONTROL, 70, 10, 48, 40);
  const HWND empty = AddStatic(L"", SS_ICON | SS_CENTERIMAGE, 130, 10, 48, 48);
  for (HWND s : {centred, stretched}) SendMessageW(s, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  StaticSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  for (HWND s : {centred, stretched, empty}) Repaint(s);
  ASSERT_EQ(Size(centred).right, 48);
  const PixelBuffer atOrigin = Shown(centred);
  EXPECT_EQ(atOrigin.RgbAt(0, 0), 0xFF0000u);
  EXPECT_EQ(atOrigin.RgbAt(31, 31), 0xFF0000u);
  EXPECT_EQ(atOrigin.RgbAt(32, 16), kBackground);
  EXPECT_EQ(atOrigin.RgbAt(40, 40), kBackground);
  const PixelBuffer filled = Shown(stretched);
  EXPECT_EQ(filled.RgbAt(0, 0), 0xFF0000u);
  EXPECT_EQ(filled.RgbAt(47, 39), 0xFF0000u);
  EXPECT_EQ(filled.RgbAt(40, 20), 0xFF0000u);
  const PixelBuffer native = Shown(empty);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(native.RgbAt(5, 5), uint32_t(GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face)));
  EXPECT_EQ(native.RgbAt(30, 30), native.RgbAt(5, 5));
}

}  // namespace
}  // namespace korvath::skin
