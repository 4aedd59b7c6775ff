// Headers: the item under the mouse with the dead zones at the ends, items
// drawn over the skinned background and lit when hot, one layer of
// subclassing, and an image list that stays its owner's. A list view's
// header: its icons, its texts at the left, right and centre, its last
// column drawn on to the list view's edge, and no icon left behind by a
// paint.
#include "skin/control/header_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/control/control_installers.h"
#include "skin/control/frame_paint.h"
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
using test::Shown;

constexpr uint32_t kBackground = 0x808080;

class HeaderSkinTest : public test::EngineTest {
 protected:
  HeaderSkinTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
    header_ = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 10, 10, 250, 24,
                              form_.hwnd(), nullptr, nullptr, nullptr);
    for (int i = 0; i < 2; ++i) {
      HDITEMW item = {};
      item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
      item.cxy = 100;
      item.pszText = const_cast<wchar_t*>(L"");
      item.fmt = HDF_LEFT | HDF_STRING;
      SendMessageW(header_, HDM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
  }
  fixture::SkinnedForm form_{300, 200, kBackground};
  HWND header_ = nullptr;
};

TEST_F(HeaderSkinTest, TheHotItemLeavesOutFivePixelsAtEachEnd) {
  HeaderSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  const int32_t n = form_.recordNumber();
  const HeaderRef header = SkinFoundEntryAt(*SkinRecordAt(n), &SkinWindowRecord::Headers, 1);
  EXPECT_EQ(HeaderHitTest(header, POINT{4, 5}), 0);
  EXPECT_EQ(HeaderHitTest(header, POINT{5, 5}), 1);
  EXPECT_EQ(HeaderHitTest(header, POINT{95, 5}), 1);
  EXPECT_EQ(HeaderHitTest(header, POINT{96, 5}), 0);
  EXPECT_EQ(HeaderHitTest(header, POINT{150, 5}), 2);
  EXPECT_EQ(HeaderHitTest(header, POINT{230, 5}), 0);
}

// Items get the white base and the face; the hot item its own layer; right
// of the last item nothing is drawn.
TEST_F(HeaderSkinTest, ItemsAreDrawnAndTheHotOneLit) {
  HeaderSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  InvalidateRect(header_, nullptr, TRUE);
  UpdateWindow(header_);
  const PixelBuffer idle = Shown(header_);
  EXPECT_GT((idle.RgbAt(50, 4) >> 16) & 0xFF, 0xC0u);
  EXPECT_TRUE(ColorNear(idle.RgbAt(50, 4), idle.RgbAt(150, 4), 1));
  SendMessageW(header_, WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  const PixelBuffer hot = Shown(header_);
  EXPECT_FALSE(ColorNear(hot.RgbAt(50, 4), idle.RgbAt(50, 4), 4));
  EXPECT_TRUE(ColorNear(hot.RgbAt(150, 4), idle.RgbAt(150, 4), 1));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->HotKind, HoverKind::Header);
}

// Asked for its client through WM_PRINTCLIENT, a header gives its items as
// its window shows them, the hot one lit (right of the last item it draws
// nothing, there or on screen).
TEST_F(HeaderSkinTest, PrintingTheClientGivesTheItemsAsTheWindowShowsThem) {
  HeaderSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  InvalidateRect(header_, nullptr, TRUE);
  UpdateWindow(header_);
  SendMessageW(header_, WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  const PixelBuffer shown = Shown(header_);
  const PixelBuffer printed = testsupport::PrintClient(header_);
  ASSERT_EQ(printed.height, shown.height);
  int differing = 0;
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < 200; ++x) differing += printed.RgbAt(x, y) != shown.RgbAt(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(printed.RgbAt(240, 5), 0xFF00FFu);
}

// Installing twice adds nothing; the header's image list outlives it.
TEST_F(HeaderSkinTest, ASecondInstallAddsNoLayerAndTheImageListStaysTheOwners) {
  const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  SendMessageW(header_, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  HeaderSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  HeaderSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  ASSERT_TRUE(test::ForwardsPastTheSkin(header_, &HeaderSkinWndProc));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Headers.size(), 1u);
  EXPECT_EQ(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0), 2);
  DestroyWindow(header_);
  EXPECT_EQ(ImageList_SetImageCount(images, 3), TRUE);
  EXPECT_EQ(ImageList_GetImageCount(images), 3);
  ImageList_Destroy(images);
}

// ---- a list view's header -----------------------------------------------------------------

// One red 16 x 16 icon.
HIMAGELIST RedIcons() {
  const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
  void* bits = nullptr;
  const platform::GdiBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const std::vector<uint32_t> red(256, 0xFFFF0000u);
  std::memcpy(bits, red.data(), red.size() * 4);
  ImageList_Add(list, picture.get(), nullptr);
  return list;
}

// A report-view list 280 wide with three columns of 80 headed "WW": at the
// left with the icon, at the right, centred.
class ListHeaderTest : public test::EngineTest {
 protected:
  ListHeaderTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
    list_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 280, 120,
                            form_.hwnd(), nullptr, nullptr, nullptr);
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW column = {LVCF_TEXT | LVCF_WIDTH};
      column.cx = 80;
      column.pszText = const_cast<wchar_t*>(L"WW");
      SendMessageW(list_, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
    header_ = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    SendMessageW(header_, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons_));
    const int formats[] = {HDF_LEFT | HDF_STRING | HDF_IMAGE, HDF_RIGHT | HDF_STRING, HDF_CENTER | HDF_STRING};
    for (int i = 0; i < 3; ++i) {
      HDITEMW item = {};
      item.mask = HDI_FORMAT | HDI_IMAGE;
      item.fmt = formats[i];
      item.iImage = 0;
      SendMessageW(header_, HDM_SETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    HeaderSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  }
  ~ListHeaderTest() override {
    DestroyWindow(list_);
    ImageList_Destroy(icons_);
  }
  RECT Item(int index) const {
    RECT r = {};
    SendMessageW(header_, HDM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  void Repaint() {
    InvalidateRect(header_, nullptr, TRUE);
    UpdateWindow(header_);
  }
  // The leftmost pixel of dark text between two x.
  static int FirstInk(const PixelBuffer& p, int from, int to) {
    for (int x = from; x < to; ++x)
      for (int y = 0; y < p.height; ++y) {
        const uint32_t c = p.RgbAt(x, y);
        if (std::max({c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF}) < 0x60) return x;
      }
    return -1;
  }
  fixture::SkinnedForm form_{300, 200, kBackground};
  HIMAGELIST icons_ = RedIcons();
  HWND list_ = nullptr;
  HWND header_ = nullptr;
};

// The icon stands at the bitmap margin, centred on the height; the texts
// start at the margin after the icon, at the right end and in the middle;
// the last column's base and face run on to the list view's right edge,
// its separator stays at its own width.
TEST_F(ListHeaderTest, IconsTextsAndTheLastColumnAreDrawnInPlace) {
  ASSERT_EQ(GetWindowLongPtrW(header_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&HeaderSkinWndProc));
  Repaint();
  const PixelBuffer look = test::Shown(header_);
  const SkinHeaderEntry& entry = SkinRecordAt(form_.recordNumber())->Headers[0];
  const int m = int(SendMessageW(header_, HDM_GETBITMAPMARGIN, 0, 0));
  const RECT first = Item(0), right = Item(1), centred = Item(2);
  const int h = first.bottom - first.top, iconY = (h - 16) / 2;
  EXPECT_EQ(look.RgbAt(first.left + m, iconY), 0xFF0000u);
  EXPECT_EQ(look.RgbAt(first.left + m + 15, iconY + 15), 0xFF0000u);
  EXPECT_NE(look.RgbAt(first.left + m - 1, iconY + 8), 0xFF0000u);
  EXPECT_NE(look.RgbAt(first.left + m + 16, iconY + 8), 0xFF0000u);

  const int tw = SkinMeasureTextWidth("WW", entry.fontFace, entry.fontSize, entry.fontStyle);
  const int lead = FirstInk(look, first.left + m + 16, first.right) - (first.left + m + 16);
  ASSERT_GE(lead, 0);
  ASSERT_LT(lead, 4);
  EXPECT_EQ(FirstInk(look, right.left, right.right), right.left + (right.right - right.left) - tw + lead);
  EXPECT_EQ(FirstInk(look, centred.left, centred.right),
            centred.left + ((centred.right - centred.left) - m - tw) / 2 + lead);

  RECT area = {};
  GetClientRect(list_, &area);
  ASSERT_LT(centred.right + 10, area.right);
  EXPECT_EQ(look.RgbAt(centred.right + 10, 2), look.RgbAt(centred.left + 3, 2));
  EXPECT_EQ(look.RgbAt(area.right - 1, h - 2), look.RgbAt(centred.left + 3, h - 2));
  EXPECT_NE(look.RgbAt(centred.right - 1, h / 2), look.RgbAt(centred.right - 3, h / 2));
  EXPECT_EQ(look.RgbAt(centred.right + 1, h / 2), look.RgbAt(centred.right + 3, h / 2));
}

// Every paint makes the icons it draws and destroys them again: the
// process's live USER objects and GDI objects are the same after twenty
// paints as before them.
TEST_F(ListHeaderTest, PaintingLeavesNoIconOrObjectBehind) {
  Repaint();
  const long objects = testsupport::LiveUserObjects(), gdi = platform::LiveGdiObjectCount();
  for (int i = 0; i < 20; ++i) Repaint();
  EXPECT_EQ(testsupport::LiveUserObjects(), objects);
  EXPECT_EQ(platform::LiveGdiObjectCount(), gdi);
}

}  // namespace
}  // namespace korvath::skin
