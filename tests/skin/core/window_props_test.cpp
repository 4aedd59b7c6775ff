#include "skin/core/window_props.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::GdiBitmap;
using korvath::platform::GdiBrush;
using korvath::platform::LiveGdiObjectCount;
using testsupport::TestWindow;

TEST(WindowProps, ValuesRoundTripUnderTheirOwnNames) {
  TestWindow window(100, 80, L"props");
  HWND w = window.hwnd();
  EXPECT_EQ(GetSkinProp(w, prop::Hw_lbID), 0);
  EXPECT_EQ(GetSkinProp(nullptr, prop::Hw_lbID), 0);
  SetSkinProp(w, prop::Hw_lbID, 3);
  SetSkinProp(w, prop::Zqk_bjs, -1);  // "no colour"
  SetSkinPropHandle(w, prop::Yyck_Glck, w);
  WNDPROC proc = DefWindowProcW;
  SetSkinPropHandle(w, prop::Hw_hProc, proc);
  EXPECT_EQ(GetSkinProp(w, prop::Hw_lbID), 3);
  EXPECT_EQ(GetSkinProp(w, prop::Zqk_bjs), -1);
  EXPECT_EQ(GetSkinPropHandle<HWND>(w, prop::Yyck_Glck), w);
  EXPECT_EQ(GetSkinPropHandle<WNDPROC>(w, prop::Hw_hProc), proc);
  SetSkinProp(w, prop::Hw_lbID, 1);  // overwritten in place
  EXPECT_EQ(GetSkinProp(w, prop::Hw_lbID), 1);
  // Names that differ only past the prefix are separate properties.
  EXPECT_EQ(GetSkinProp(w, prop::Kj_lbID), 0);
  SetSkinProp(w, prop::CK_Ggcj, 5);
  EXPECT_EQ(GetSkinProp(w, prop::Ck_cdjb), 0);
  EXPECT_EQ(GetSkinProp(w, prop::Ck_Ycjdx), 0);
}

// Every installer skips a window already subclassed through either layer:
// a second install would forward to itself for ever.
TEST(WindowProps, AWindowCountsAsSubclassedThroughEitherLayer) {
  TestWindow window(100, 80, L"guard");
  HWND a = window.AddChild(L"BUTTON", L"a", WS_CHILD, 0, 0, 20, 20);
  HWND b = window.AddChild(L"BUTTON", L"b", WS_CHILD, 30, 0, 20, 20);
  EXPECT_FALSE(SkinIsSubclassed(a));
  SetSkinPropHandle(a, prop::Hw_hProc, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(a, GWLP_WNDPROC)));
  SetSkinPropHandle(b, prop::Kj_hProc, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(b, GWLP_WNDPROC)));
  EXPECT_TRUE(SkinIsSubclassed(a));
  EXPECT_TRUE(SkinIsSubclassed(b));
  EXPECT_FALSE(SkinIsSubclassed(window.hwnd()));
}

TEST(WindowProps, ReplacingTheControlBrushDeletesThePreviousPair) {
  TestWindow window(100, 80, L"brush");
  HWND edit = window.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20);
  const long start = LiveGdiObjectCount();
  GdiBitmap firstBitmap(CreateBitmap(4, 4, 1, 32, nullptr));
  GdiBrush firstBrush(CreatePatternBrush(firstBitmap.get()));
  HBRUSH brush1 = firstBrush.get();
  HBITMAP bitmap1 = firstBitmap.get();
  SkinReplaceControlBrush(edit, std::move(firstBrush), std::move(firstBitmap));
  EXPECT_EQ(GetSkinPropHandle<HBRUSH>(edit, prop::Kj_dxjb), brush1);
  EXPECT_EQ(GetSkinPropHandle<HBITMAP>(edit, prop::Kj_wtjb), bitmap1);
  EXPECT_EQ(LiveGdiObjectCount(), start + 2);  // parked, still counted
  SkinReplaceControlBrush(edit, GdiBrush(CreateSolidBrush(RGB(1, 2, 3))), GdiBitmap());
  EXPECT_EQ(GetObjectType(brush1), 0u);
  EXPECT_EQ(GetObjectType(bitmap1), 0u);
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  SkinDeleteControlBrush(edit);
  EXPECT_EQ(GetSkinProp(edit, prop::Kj_dxjb), 0);
  EXPECT_EQ(LiveGdiObjectCount(), start);
  SkinDeleteControlBrush(edit);  // nothing left: harmless
  EXPECT_EQ(LiveGdiObjectCount(), start);

  // A toolbar's Kj_wtjb is its image list, never deleted as a bitmap.
  HWND toolbar = window.AddChild(TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 30, 100, 30);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  SetSkinPropHandle(toolbar, prop::Kj_wtjb, images);
  SkinReplaceControlBrush(toolbar, GdiBrush(CreateSolidBrush(RGB(1, 2, 3))), GdiBitmap());
  SkinDeleteControlBrush(toolbar);
  EXPECT_EQ(GetSkinPropHandle<HIMAGELIST>(toolbar, prop::Kj_wtjb), images);
  EXPECT_EQ(ImageList_GetImageCount(images), 0);  // still a live image list
  EXPECT_TRUE(ImageList_Destroy(images));
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

}  // namespace
