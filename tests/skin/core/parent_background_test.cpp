#include "skin/core/parent_background.h"

#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "skin/core/background_container.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using korvath::platform::LiveGdiObjectCount;
using test::BackPattern;
using test::Blend;
using test::LayerPattern;
using test::Pixels;
using test::Rgb;
using test::SkinnedForm;

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;

class ParentBackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override { ProgramGlobalsInit(); }
  void TearDown() override { ProgramGlobalsRelease(); }
};

// ---- where the background comes from --------------------------------------

TEST_F(ParentBackgroundTest, RectanglesRelativeToAncestors) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND edit = form.AddChild(L"EDIT", 0, 10, 20, 80, 22, group);
  EXPECT_EQ(SkinRectRelativeTo(form.hwnd(), edit), (RECT{30, 40, 110, 62}));
  EXPECT_EQ(SkinRectRelativeTo(group, edit), (RECT{10, 20, 90, 42}));
  EXPECT_EQ(SkinRectInTopAncestor(edit), (RECT{30, 40, 110, 62}));
  EXPECT_EQ(SkinRectInContainer(edit), (RECT{30, 40, 110, 62}));
  // A skinned top-level window is its own origin.
  EXPECT_EQ(SkinRectInContainer(form.hwnd()), (RECT{0, 0, 0, 0}));

  testsupport::TestWindow plain(100, 80, L"plain", WS_POPUP | WS_VISIBLE);
  HWND orphan = plain.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 6, 20, 10);
  EXPECT_EQ(SkinRectInTopAncestor(orphan), (RECT{0, 0, 0, 0}));
  // No skinned window on the way up: screen coordinates.
  RECT screen = {};
  GetWindowRect(orphan, &screen);
  EXPECT_EQ(SkinRectInContainer(orphan), screen);
}

TEST_F(ParentBackgroundTest, FirstRegisteredAncestorDecidesTheSource) {
  SkinnedForm form(240, 200);
  HWND button = form.AddChild(L"BUTTON", 0, 30, 40, 60, 25);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND bare = form.AddChild(L"STATIC", 0, 5, 5, 60, 40, group);  // not registered
  HWND edit = form.AddChild(L"EDIT", 0, 5, 5, 40, 20, bare);
  const int32_t groupEntry = form.AddContainer(group, kRed, 255, 1);

  SkinBackgroundSource s = SkinFindBackgroundContainer(button, true);
  EXPECT_TRUE(s.topLevel);
  EXPECT_EQ(s.record, form.number());

  s = SkinFindBackgroundContainer(form.hwnd(), true);
  EXPECT_TRUE(s.topLevel);
  EXPECT_EQ(s.record, form.number());

  // The unregistered static in between is passed over.
  s = SkinFindBackgroundContainer(edit, true);
  EXPECT_FALSE(s.topLevel);
  EXPECT_EQ(s.record, form.number());
  EXPECT_EQ(s.entry, groupEntry);
  EXPECT_EQ(s.piece, nullptr);

  // A container is not looked up as its own container.
  s = SkinFindBackgroundContainer(group, true);
  EXPECT_TRUE(s.topLevel);

  // A background piece on the way up wins, but only when pieces count.
  SetSkinProp(bare, prop::Wxk_Zpf, 1);
  s = SkinFindBackgroundContainer(edit, true);
  EXPECT_EQ(s.piece, bare);
  EXPECT_EQ(s.record, 0);
  s = SkinFindBackgroundContainer(edit, false);
  EXPECT_EQ(s.piece, nullptr);
  EXPECT_EQ(s.entry, groupEntry);
  s = SkinFindBackgroundContainer(bare, true);
  EXPECT_EQ(s.piece, bare);
}

TEST_F(ParentBackgroundTest, ParentContainerEntrySkipsContainersThatDoNotPaintAndStops) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 10, 10, 200, 150);
  HWND toolbarLike = form.AddChild(L"STATIC", 0, 10, 20, 150, 100, group);
  HWND edit = form.AddChild(L"EDIT", 0, 5, 5, 40, 20, toolbarLike);
  const int32_t groupEntry = form.AddContainer(group, kRed, 255, 1, true);
  form.AddContainer(toolbarLike, kGreen, 255, 0, false);

  EXPECT_EQ(SkinParentContainerEntry(form.number(), edit), groupEntry);
  // The stop window itself is not examined.
  EXPECT_EQ(SkinParentContainerEntry(form.number(), edit, group), 0);
  EXPECT_EQ(SkinParentContainerEntry(form.number(), group), 0);
}

// ---- the copy and the tint --------------------------------------------------

// A control painted the way every skinned painter paints: its parent's
// background first, then the picture onto the window and into the layer.
LRESULT CALLBACK TransparentControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return TRUE;
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  korvath::platform::PaintScope paint(window);
  RECT client = {};
  GetClientRect(window, &client);
  SkinMemoryDc picture = SkinPaintParentBackground(window, client);
  BitBlt(paint.dc(), 0, 0, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
  SkinPaintChildBackground(window, picture.get());
  return 0;
}

TEST_F(ParentBackgroundTest, PaintedControlOverAColouredParentShowsThatColour) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND control = form.AddChild(L"STATIC", 0, 10, 20, 80, 40, group);
  HWND onForm = form.AddChild(L"STATIC", 0, 20, 140, 80, 40);
  form.AddContainer(group, kGreen, 255, 1);
  for (HWND w : {control, onForm}) {
    form.Skin(w);
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentControlProc));
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
  }
  testsupport::PumpMessages(50);
  const auto shown = testsupport::CaptureClient(control);
  if (shown.RgbAt(40, 20) != Rgb(kGreen)) testsupport::SaveFailureImage(shown, "coloured_parent");
  EXPECT_EQ(shown.RgbAt(2, 2), Rgb(kGreen));
  EXPECT_EQ(shown.RgbAt(40, 20), Rgb(kGreen));
  EXPECT_EQ(shown.RgbAt(77, 37), Rgb(kGreen));
  // Straight on the form: the form's own picture at the control's place.
  const auto plain = testsupport::CaptureClient(onForm);
  EXPECT_EQ(plain.RgbAt(40, 20), BackPattern(60, 160));
  // The layer keeps both pictures for later refreshes.
  const auto layer = Pixels(form.record().ChildBackDC.get(), 240, 200);
  EXPECT_EQ(layer.RgbAt(70, 60), Rgb(kGreen));
  EXPECT_EQ(layer.RgbAt(60, 160), BackPattern(60, 160));
}

TEST_F(ParentBackgroundTest, ControlOnTheFormShowsTheBackBufferAtItsPlace) {
  SkinnedForm form(240, 200);
  HWND button = form.AddChild(L"BUTTON", 0, 30, 40, 60, 25);
  SkinMemoryDc dc = SkinPaintParentBackground(button, RECT{0, 0, 60, 25});
  ASSERT_TRUE(dc);
  const auto px = Pixels(dc.get(), 60, 25);
  for (auto [x, y] : {std::pair{0, 0}, {59, 24}, {31, 12}, {0, 24}}) {
    EXPECT_EQ(px.RgbAt(x, y), BackPattern(30 + x, 40 + y)) << x << "," << y;
  }
  // A part of the control: the copy starts at the part's corner.
  SkinMemoryDc part = SkinPaintParentBackground(button, RECT{5, 3, 25, 13});
  const auto partPx = Pixels(part.get(), 20, 10);
  EXPECT_EQ(partPx.RgbAt(0, 0), BackPattern(35, 43));
  EXPECT_EQ(partPx.RgbAt(19, 9), BackPattern(54, 52));
}

TEST_F(ParentBackgroundTest, ControlOverAColouredContainerShowsItsColour) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND edit = form.AddChild(L"EDIT", 0, 10, 20, 80, 22, group);
  form.AddContainer(group, kBlue, 255, 1);
  SkinMemoryDc dc = SkinPaintParentBackground(edit, RECT{0, 0, 80, 22});
  ASSERT_TRUE(dc);
  const auto px = Pixels(dc.get(), 80, 22);
  for (auto [x, y] : {std::pair{0, 0}, {79, 21}, {40, 11}}) {
    EXPECT_EQ(px.RgbAt(x, y), Rgb(kBlue)) << x << "," << y;
  }
}

TEST_F(ParentBackgroundTest, TranslucentContainerColourBlendsOverTheBackBuffer) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND edit = form.AddChild(L"EDIT", 0, 10, 20, 80, 22, group);
  form.AddContainer(group, kBlue, 128, 1);
  SkinMemoryDc dc = SkinPaintParentBackground(edit, RECT{0, 0, 80, 22});
  const auto px = Pixels(dc.get(), 80, 22);
  for (auto [x, y] : {std::pair{3, 4}, {70, 15}}) {
    EXPECT_TRUE(testsupport::ColorNear(px.RgbAt(x, y), Blend(BackPattern(30 + x, 40 + y), Rgb(kBlue), 128), 3))
        << std::hex << px.RgbAt(x, y);
  }
}

TEST_F(ParentBackgroundTest, ContainerWithoutColourGivesThePlainCopy) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND edit = form.AddChild(L"EDIT", 0, 10, 20, 80, 22, group);
  form.AddContainer(group, 0, 255, 1);
  SkinMemoryDc dc = SkinPaintParentBackground(edit, RECT{0, 0, 80, 22});
  const auto px = Pixels(dc.get(), 80, 22);
  EXPECT_EQ(px.RgbAt(40, 11), BackPattern(70, 51));
}

TEST_F(ParentBackgroundTest, OnlyContainersThatPaintTheirBackgroundTint) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 10, 10, 200, 150);
  HWND inner = form.AddChild(L"STATIC", 0, 10, 20, 150, 100, group);
  HWND edit = form.AddChild(L"EDIT", 0, 5, 5, 40, 20, inner);
  form.AddContainer(group, kRed, 255, 1, true);
  form.AddContainer(inner, kGreen, 255, 0, false);
  // The green container paints nothing of its own: the red group box tints.
  SkinMemoryDc dc = SkinPaintParentBackground(edit, RECT{0, 0, 40, 20});
  EXPECT_EQ(Pixels(dc.get(), 40, 20).RgbAt(20, 10), Rgb(kRed));
}

TEST_F(ParentBackgroundTest, GroupBoxOnTheFormIsFilledInsideItsRoundedFrameOnly) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  form.AddContainer(group, kRed, 255, 1);
  // Its painter gives an inset and a corner: a group box does not use them.
  SkinMemoryDc dc = SkinPaintParentBackground(group, RECT{0, 0, 150, 100}, 20, 5);
  const auto px = Pixels(dc.get(), 150, 100);
  EXPECT_EQ(px.RgbAt(75, 2), BackPattern(95, 22));   // above the frame
  EXPECT_EQ(px.RgbAt(0, 5), BackPattern(20, 25));    // outside the rounded corner
  EXPECT_EQ(px.RgbAt(75, 50), Rgb(kRed));
  EXPECT_EQ(px.RgbAt(8, 12), Rgb(kRed));             // inside the inset the group box ignores
  EXPECT_EQ(px.RgbAt(140, 90), Rgb(kRed));
}

TEST_F(ParentBackgroundTest, OtherContainerUsesTheInsetShapeWhenBothAreGiven) {
  SkinnedForm form(240, 200);
  HWND box = form.AddChild(L"STATIC", 0, 20, 20, 150, 100);
  form.AddContainer(box, kRed, 255, 0);
  SkinMemoryDc dc = SkinPaintParentBackground(box, RECT{0, 0, 150, 100}, 10, 6);
  auto px = Pixels(dc.get(), 150, 100);
  EXPECT_EQ(px.RgbAt(3, 50), BackPattern(23, 70));
  EXPECT_EQ(px.RgbAt(75, 50), Rgb(kRed));
  EXPECT_EQ(px.RgbAt(145, 95), BackPattern(165, 115));
  // Only one of the two given: the whole rectangle.
  SkinMemoryDc whole = SkinPaintParentBackground(box, RECT{0, 0, 150, 100}, 10);
  px = Pixels(whole.get(), 150, 100);
  EXPECT_EQ(px.RgbAt(0, 0), Rgb(kRed));
  EXPECT_EQ(px.RgbAt(149, 99), Rgb(kRed));
}

TEST_F(ParentBackgroundTest, TabControlIsFilledInItsPageOnly) {
  SkinnedForm form(240, 200);
  HWND tab = form.AddChild(L"SysTabControl32", 0, 10, 10, 200, 150);
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  wchar_t text[] = L"page";
  item.pszText = text;
  SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  RECT itemRect = {};
  SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&itemRect));
  const int pageTop = itemRect.bottom - itemRect.top + 1;
  form.AddContainer(tab, kGreen, 255, 2);
  SkinMemoryDc dc = SkinPaintParentBackground(tab, RECT{0, 0, 200, 150});
  const auto px = Pixels(dc.get(), 200, 150);
  EXPECT_EQ(px.RgbAt(100, pageTop / 2), BackPattern(110, 10 + pageTop / 2));  // the tab strip
  EXPECT_EQ(px.RgbAt(100, 100), Rgb(kGreen));
  EXPECT_EQ(px.RgbAt(199, 149), BackPattern(209, 159));  // one pixel short of the client edge
}

TEST_F(ParentBackgroundTest, GroupBoxInAColouredContainerKeepsTheOuterColourAroundItsFrame) {
  SkinnedForm form(240, 200);
  HWND outer = form.AddChild(L"STATIC", 0, 10, 10, 220, 180);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100, outer);
  form.AddContainer(outer, kRed, 255, 0);
  form.AddContainer(group, kBlue, 255, 1);
  SkinMemoryDc dc = SkinPaintParentBackground(group, RECT{0, 0, 150, 100});
  const auto px = Pixels(dc.get(), 150, 100);
  EXPECT_EQ(px.RgbAt(75, 2), Rgb(kRed));
  EXPECT_EQ(px.RgbAt(0, 5), Rgb(kRed));
  EXPECT_EQ(px.RgbAt(75, 50), Rgb(kBlue));
}

TEST_F(ParentBackgroundTest, PanelTakesItsParentContainersColourNeverItsOwn) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 10, 10, 200, 150);
  HWND inGroup = form.AddChild(L"STATIC", 0, 10, 20, 100, 30, group);
  HWND onForm = form.AddChild(L"STATIC", 0, 10, 170, 100, 25);
  form.AddContainer(group, kGreen, 255, 1);
  // Panels register with their own colour, and paint no background of
  // their own.
  form.AddContainer(inGroup, kBlue, 255, 0, false);
  form.AddContainer(onForm, kBlue, 255, 0, false);
  SetSkinProp(inGroup, prop::Zqk_LbID, 1);
  SetSkinProp(onForm, prop::Zqk_LbID, 2);

  SkinMemoryDc dc = SkinPaintParentBackground(inGroup, RECT{0, 0, 100, 30});
  EXPECT_EQ(Pixels(dc.get(), 100, 30).RgbAt(50, 15), Rgb(kGreen));
  dc = SkinPaintParentBackground(onForm, RECT{0, 0, 100, 30});
  EXPECT_EQ(Pixels(dc.get(), 100, 30).RgbAt(50, 15), BackPattern(60, 185));
}

TEST_F(ParentBackgroundTest, BackgroundPiecesServeTheirOwnLayer) {
  SkinnedForm form(240, 200);
  HWND piece = form.AddChild(L"STATIC", 0, 10, 10, 200, 150);
  HWND coloured = form.AddChild(L"STATIC", 0, 20, 20, 150, 100, piece);
  HWND edit = form.AddChild(L"EDIT", 0, 5, 6, 40, 20, coloured);
  HWND plain = form.AddChild(L"EDIT", 0, 5, 130, 40, 15, piece);
  SkinMemoryDc layer = SkinMemoryDc::Create(200, 150);
  test::FillPattern(layer.get(), 200, 150, LayerPattern);
  SetSkinProp(piece, prop::Wxk_Zpf, 1);
  SetSkinPropHandle(piece, prop::Wxk_Cj, layer.get());
  form.AddContainer(coloured, kRed, 255, 0);
  SetSkinPropHandle(coloured, prop::Mb_zpf, piece);

  // A control right in the piece: its layer, untinted.
  SkinMemoryDc dc = SkinPaintParentBackground(plain, RECT{0, 0, 40, 15});
  EXPECT_EQ(Pixels(dc.get(), 40, 15).RgbAt(3, 4), LayerPattern(8, 134));
  // Inside a coloured container of the piece: tinted.
  dc = SkinPaintParentBackground(edit, RECT{0, 0, 40, 20});
  EXPECT_EQ(Pixels(dc.get(), 40, 20).RgbAt(3, 4), Rgb(kRed));
  // The piece itself: from the skinned window's back buffer.
  dc = SkinPaintParentBackground(piece, RECT{0, 0, 200, 150});
  EXPECT_EQ(Pixels(dc.get(), 200, 150).RgbAt(7, 9), BackPattern(17, 19));
}

TEST_F(ParentBackgroundTest, NoSkinnedAncestorGivesNothingAndLeaksNothing) {
  testsupport::TestWindow plain(120, 80, L"plain", WS_POPUP | WS_VISIBLE);
  HWND orphan = plain.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 6, 40, 20);
  const long objects = LiveGdiObjectCount();
  const size_t dcs = SkinMemoryDcList.size();
  for (int i = 0; i < 50; ++i) {
    SkinMemoryDc dc = SkinPaintParentBackground(orphan, RECT{0, 0, 40, 20});
    EXPECT_FALSE(dc);
  }
  EXPECT_EQ(LiveGdiObjectCount(), objects);
  EXPECT_EQ(SkinMemoryDcList.size(), dcs);
}

}  // namespace
