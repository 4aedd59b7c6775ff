// Headers: the item under the mouse with the dead zones at the ends, items
// drawn over the skinned background and lit when hot, one layer of
// subclassing, and an image list that stays its owner's.
#include "skin/control/header_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include "skin/control/control_installers.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
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
    SkinEnabled = true;
    SkinThemeColor = 0xDDCA22;
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
  HeaderSkinInstall(form_.recordNumber(), form_.hwnd());
  const int32_t n = form_.recordNumber();
  EXPECT_EQ(HeaderHitTest(n, 1, MAKELPARAM(4, 5)), 0);
  EXPECT_EQ(HeaderHitTest(n, 1, MAKELPARAM(5, 5)), 1);
  EXPECT_EQ(HeaderHitTest(n, 1, MAKELPARAM(95, 5)), 1);
  EXPECT_EQ(HeaderHitTest(n, 1, MAKELPARAM(96, 5)), 0);
  EXPECT_EQ(HeaderHitTest(n, 1, MAKELPARAM(150, 5)), 2);
  EXPECT_EQ(HeaderHitTest(n, 1, MAKELPARAM(230, 5)), 0);
}

// Items get the white base and the face; the hot item its own layer; right
// of the last item nothing is drawn.
TEST_F(HeaderSkinTest, ItemsAreDrawnAndTheHotOneLit) {
  HeaderSkinInstall(form_.recordNumber(), form_.hwnd());
  InvalidateRect(header_, nullptr, TRUE);
  UpdateWindow(header_);
  const PixelBuffer idle = Shown(header_);
  EXPECT_GT((idle.RgbAt(50, 4) >> 16) & 0xFF, 0xC0u);
  EXPECT_TRUE(ColorNear(idle.RgbAt(50, 4), idle.RgbAt(150, 4), 1));
  SendMessageW(header_, WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  const PixelBuffer hot = Shown(header_);
  EXPECT_FALSE(ColorNear(hot.RgbAt(50, 4), idle.RgbAt(50, 4), 4));
  EXPECT_TRUE(ColorNear(hot.RgbAt(150, 4), idle.RgbAt(150, 4), 1));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->HoverKind, 9);
}

// Installing twice adds nothing; the header's image list outlives it.
TEST_F(HeaderSkinTest, ASecondInstallAddsNoLayerAndTheImageListStaysTheOwners) {
  const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  SendMessageW(header_, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  HeaderSkinInstall(form_.recordNumber(), form_.hwnd());
  HeaderSkinInstall(form_.recordNumber(), form_.hwnd());
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Headers.size(), 1u);
  EXPECT_EQ(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0), 2);
  DestroyWindow(header_);
  EXPECT_EQ(ImageList_SetImageCount(images, 3), TRUE);
  EXPECT_EQ(ImageList_GetImageCount(images), 3);
  ImageList_Destroy(images);
}

}  // namespace
}  // namespace korvath::skin
