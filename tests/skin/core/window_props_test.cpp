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

TEST(WindowProps, NeverSetReadsZero) {
  TestWindow window(100, 80, L"props");
  for (const char* name : {prop::Hw_lbID, prop::Hw_FuID, prop::Hw_hProc, prop::Kj_FuID,
                           prop::Kj_dxjb, prop::Yyck_Glck, prop::Wxk_LBID, prop::CK_Fcck}) {
    EXPECT_EQ(GetSkinProp(window.hwnd(), name), 0) << name;
  }
  EXPECT_EQ(GetSkinProp(nullptr, prop::Hw_lbID), 0);
}

TEST(WindowProps, ValuesRoundTripUnderTheirOwnNames) {
  TestWindow window(100, 80, L"props");
  HWND w = window.hwnd();
  SetSkinProp(w, prop::Hw_lbID, 3);
  SetSkinProp(w, prop::Hw_FuID, 7);
  SetSkinProp(w, prop::Zqk_bjs, -1);  // "no colour"
  SetSkinProp(w, prop::Yyck_yyys, 0x00FFFFFF);
  SetSkinPropHandle(w, prop::Yyck_Glck, w);
  WNDPROC proc = DefWindowProcW;
  SetSkinPropHandle(w, prop::Hw_hProc, proc);
  EXPECT_EQ(GetSkinProp(w, prop::Hw_lbID), 3);
  EXPECT_EQ(GetSkinProp(w, prop::Hw_FuID), 7);
  EXPECT_EQ(GetSkinProp(w, prop::Zqk_bjs), -1);
  EXPECT_EQ(GetSkinProp(w, prop::Yyck_yyys), 0x00FFFFFF);
  EXPECT_EQ(GetSkinPropHandle<HWND>(w, prop::Yyck_Glck), w);
  EXPECT_EQ(GetSkinPropHandle<WNDPROC>(w, prop::Hw_hProc), proc);
  // Overwritten in place.
  SetSkinProp(w, prop::Hw_lbID, 1);
  EXPECT_EQ(GetSkinProp(w, prop::Hw_lbID), 1);
  // Names that differ only past the prefix are separate properties.
  EXPECT_EQ(GetSkinProp(w, prop::Kj_lbID), 0);
  SetSkinProp(w, prop::CK_Ggcj, 5);
  EXPECT_EQ(GetSkinProp(w, prop::Ck_cdjb), 0);
  EXPECT_EQ(GetSkinProp(w, prop::Ck_Ycjdx), 0);
}

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

  GdiBitmap secondBitmap(CreateBitmap(4, 4, 1, 32, nullptr));
  GdiBrush secondBrush(CreatePatternBrush(secondBitmap.get()));
  HBRUSH brush2 = secondBrush.get();
  SkinReplaceControlBrush(edit, std::move(secondBrush), std::move(secondBitmap));
  EXPECT_EQ(GetObjectType(brush1), 0u);
  EXPECT_EQ(GetObjectType(bitmap1), 0u);
  EXPECT_EQ(GetSkinPropHandle<HBRUSH>(edit, prop::Kj_dxjb), brush2);
  EXPECT_EQ(LiveGdiObjectCount(), start + 2);

  SkinDeleteControlBrush(edit);
  EXPECT_EQ(GetObjectType(brush2), 0u);
  EXPECT_EQ(GetSkinProp(edit, prop::Kj_dxjb), 0);
  EXPECT_EQ(GetSkinProp(edit, prop::Kj_wtjb), 0);
  EXPECT_EQ(LiveGdiObjectCount(), start);
  SkinDeleteControlBrush(edit);  // nothing left: harmless
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(WindowProps, AToolbarsImageListIsNeverDeletedAsABitmap) {
  TestWindow window(200, 80, L"toolbar");
  HWND toolbar = window.AddChild(TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  SetSkinPropHandle(toolbar, prop::Kj_wtjb, images);
  const long start = LiveGdiObjectCount();
  SkinReplaceControlBrush(toolbar, GdiBrush(CreateSolidBrush(RGB(1, 2, 3))), GdiBitmap());
  SkinDeleteControlBrush(toolbar);
  EXPECT_EQ(GetSkinPropHandle<HIMAGELIST>(toolbar, prop::Kj_wtjb), images);
  EXPECT_EQ(ImageList_GetImageCount(images), 0);  // still a live image list
  EXPECT_TRUE(ImageList_Destroy(images));
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

}  // namespace
