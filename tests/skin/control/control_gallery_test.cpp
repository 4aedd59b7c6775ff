// One skinned form with the looks that nothing in the tool switches on, side
// by side: progress bars with their three sweeps, track bars lying and
// standing in picture mode beside vector ones, a toolbar with icons, texts
// and drop-down buttons, and tab controls with their tabs on all four sides.
// The form's picture is saved as "screenshots/control_gallery.png" in the
// test's folder, to be looked at; the test itself checks that every control
// drew over the background and that no two of them overlap.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "skin/control/control_installers.h"
#include "skin/control/progress_skin.h"
#include "skin/control/trackbar_skin.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/draw/skin_picture.h"
#include "skin/install/container_attach.h"
#include "skin/install/control_attach.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/support/png_writer.h"

namespace korvath::skin {
namespace {

using testsupport::PixelBuffer;

constexpr uint32_t kBackground = 0xECECEC;

uint32_t Argb(int a, int r, int g, int b) { return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// A bar picture `along` x `across` (standing: turned), shaded across, with
// rounded ends and two divider lines so that it stretches along the track.
SkinPicture BarPicture(bool standing, int along, int across, int r, int g, int b) {
  const int w = standing ? across : along, h = standing ? along : across;
  std::vector<uint32_t> pixels(size_t(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int a = standing ? y : x, c = standing ? x : y;
      const double shade = 1.15 - 0.3 * c / (across - 1);
      const bool corner = (a == 0 || a == along - 1) && (c == 0 || c == across - 1);
      uint32_t pixel = Argb(corner ? 0 : 255, std::min(255, int(r * shade)), std::min(255, int(g * shade)),
                            std::min(255, int(b * shade)));
      if (a == 4 || a == along - 5) pixel = 0xFFFF00FFu;
      pixels[size_t(y) * w + x] = pixel;
    }
  }
  SkinPicture picture;
  SkinClearObjectField(picture);
  picture.LoadStates(testsupport::EncodePng(w, h, pixels));
  return picture;
}

// A round thumb, lighter in the middle; the hot one larger and bluer.
std::vector<uint8_t> RoundThumb(int size, int r, int g, int b) {
  std::vector<uint32_t> pixels(size_t(size) * size);
  const double centre = (size - 1) / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - centre, y - centre) / (size / 2.0);
      const int alpha = d > 1 ? 0 : d > 0.85 ? int(255 * (1 - d) / 0.15) : 255;
      const double light = 1.3 - 0.5 * d;
      pixels[size_t(y) * size + x] = Argb(alpha, std::min(255, int(r * light)), std::min(255, int(g * light)),
                                          std::min(255, int(b * light)));
    }
  }
  return testsupport::EncodePng(size, size, pixels);
}

SkinPicture Thumb() {
  SkinPicture picture;
  SkinClearObjectField(picture);
  picture.LoadStates(RoundThumb(13, 150, 150, 160), RoundThumb(15, 90, 140, 200));
  return picture;
}

// Three 16 x 16 icons: a red square, a green disc, a blue triangle.
HIMAGELIST Icons() {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 3, 1);
  for (int kind = 0; kind < 3; ++kind) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
    void* bits = nullptr;
    const platform::GdiBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<uint32_t> pixels(256, 0);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const bool in = kind == 0 ? (x > 1 && x < 14 && y > 1 && y < 14)
                        : kind == 1 ? std::hypot(x - 7.5, y - 7.5) < 7
                                    : (y > 2 && y < 14 && std::abs(x - 7.5) < (y - 2) * 0.6);
        const uint32_t colour = kind == 0 ? 0xD03030 : kind == 1 ? 0x30A040 : 0x3050D0;
        pixels[size_t(y) * 16 + x] = in ? 0xFF000000u | colour : 0;
      }
    }
    std::memcpy(bits, pixels.data(), pixels.size() * 4);
    ImageList_Add(list, picture.get(), nullptr);
  }
  return list;
}

class ControlGalleryTest : public test::EngineTest {
 protected:
  ControlGalleryTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
    SkinEngine.options.SkinOptTrackbar = 1;
    SkinEngine.options.SkinAlpha = 160;
  }
  ~ControlGalleryTest() override { ImageList_Destroy(icons_); }
  HWND Add(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
    const HWND window = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, form_.hwnd(),
                                        nullptr, nullptr, nullptr);
    SendMessageW(window, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    controls_.push_back(window);
    return window;
  }
  fixture::SkinnedForm form_{640, 400, kBackground};
  HIMAGELIST icons_ = Icons();
  std::vector<HWND> controls_;
};

TEST_F(ControlGalleryTest, EveryLookDrawsInItsOwnPlace) {
  // Progress bars, one per sweep, each glow stopped in view.
  HWND bars[3];
  for (int i = 0; i < 3; ++i) {
    bars[i] = Add(PROGRESS_CLASSW, L"", 0, 20, 20 + 30 * i, 200, 20);
    SendMessageW(bars[i], PBM_SETPOS, WPARAM(70), 0);
  }
  // Track bars: picture mode lying and standing, vector lying and standing.
  const HWND pictureLying = Add(TRACKBAR_CLASSW, L"", TBS_NOTICKS, 20, 120, 200, 30);
  const HWND vectorLying = Add(TRACKBAR_CLASSW, L"", TBS_NOTICKS, 20, 160, 200, 30);
  const HWND pictureStanding = Add(TRACKBAR_CLASSW, L"", TBS_VERT | TBS_NOTICKS, 240, 20, 30, 170);
  const HWND vectorStanding = Add(TRACKBAR_CLASSW, L"", TBS_VERT | TBS_NOTICKS, 280, 20, 30, 170);
  for (HWND bar : {pictureLying, vectorLying, pictureStanding, vectorStanding}) {
    SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(bar, TBM_SETPOS, TRUE, 35);
  }
  // A toolbar: texts below icons, a drop-down, a whole drop-down, a
  // separator and a disabled button; the drop-down is hot.
  const HWND toolbar = Add(TOOLBARCLASSNAMEW, L"", CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN | TBSTYLE_FLAT,
                           20, 210, 290, 46);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons_));
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(56, 42));
  const INT_PTR texts = SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(L"Open\0Pick\0Menu\0Off\0"));
  TBBUTTON buttons[] = {
      {0, 1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, texts},
      {1, 2, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, texts + 1},
      {6, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, -1},
      {2, 3, TBSTATE_ENABLED, BTNS_WHOLEDROPDOWN, {}, 0, texts + 2},
      {0, 4, 0, BTNS_BUTTON, {}, 0, texts + 3},
  };
  SendMessageW(toolbar, TB_ADDBUTTONSW, 5, reinterpret_cast<LPARAM>(buttons));
  // Tab controls, tabs at the top, left, right and bottom.
  const DWORD sides[] = {0, TCS_VERTICAL | TCS_MULTILINE, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, TCS_BOTTOM};
  const POINT places[] = {{330, 20}, {480, 20}, {330, 200}, {480, 200}};
  HWND tabs[4];
  for (int i = 0; i < 4; ++i) {
    tabs[i] = Add(WC_TABCONTROLW, L"", sides[i], places[i].x, places[i].y, 140, 160);
    for (int k = 0; k < 3; ++k) {
      TCITEMW item = {TCIF_TEXT};
      item.pszText = const_cast<wchar_t*>(k == 0 ? L"One" : k == 1 ? L"Two" : L"Three");
      SendMessageW(tabs[i], TCM_INSERTITEMW, WPARAM(k), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(tabs[i], TCM_SETCURSEL, 1, 0);
  }

  const int32_t n = form_.recordNumber();
  ProgressSkinInstall(*SkinRecordAt(n), form_.hwnd());
  TrackbarSkinInstall(*SkinRecordAt(n), form_.hwnd());
  ToolbarSkinInstall(*SkinRecordAt(n), form_.hwnd());
  for (HWND tab : tabs) ContainerSkinAttach(tab);
  const int sweepImages[] = {0, 2, 3};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(ProgressSkinSetSweep(bars[i], true, sweepImages[i]));
    KillTimer(bars[i], UINT_PTR(i + 1));
    SkinRecordAt(n)->Progresses[size_t(i)].sweepOffset = 30 + 20 * i;
  }
  ASSERT_TRUE(TrackbarSkinSetPictures(pictureLying, BarPicture(false, 40, 8, 170, 175, 185), Thumb(),
                                      BarPicture(false, 40, 6, 60, 130, 215)));
  ASSERT_TRUE(TrackbarSkinSetPictures(pictureStanding, BarPicture(true, 40, 8, 170, 175, 185), Thumb(),
                                      BarPicture(true, 40, 6, 60, 130, 215)));
  SendMessageW(toolbar, TB_SETHOTITEM, 1, 0);
  SkinRecordAt(n)->Toolbars[0].repaint = true;
  RedrawWindow(form_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  testsupport::PumpMessages();

  const PixelBuffer look = test::ShownWhole(form_.hwnd());
  // What GDI drew carries alpha 0 in the window's pixels, what GDI+ drew
  // 255; the screen shows neither, and nor does the picture.
  PixelBuffer opaque = look;
  for (uint32_t& pixel : opaque.pixels) pixel |= 0xFF000000u;
  std::filesystem::create_directories("screenshots");
  EXPECT_TRUE(opaque.SavePng("screenshots/control_gallery.png"));
  for (size_t i = 0; i < controls_.size(); ++i) {
    RECT r = {};
    GetWindowRect(controls_[i], &r);
    MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    int drawn = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) drawn += look.RgbAt(x, y) != kBackground;
    EXPECT_GT(drawn, (r.right - r.left) * (r.bottom - r.top) / 20) << i;
    for (size_t k = 0; k < i; ++k) {
      RECT other = {}, both = {};
      GetWindowRect(controls_[k], &other);
      MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&other), 2);
      EXPECT_FALSE(IntersectRect(&both, &r, &other)) << i << " over " << k;
    }
  }
}

}  // namespace
}  // namespace korvath::skin
