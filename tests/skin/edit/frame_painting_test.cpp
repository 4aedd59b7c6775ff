// Frames of skinned edits and list-type controls, the border stroke, the
// hand-over to the owner's child layer and the transparent-mode background.
#include <gtest/gtest.h>

#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/draw/frame_geometry.h"
#include "skin/edit/control_frame.h"
#include "skin/edit/edit_installers.h"
#include "skin/edit/edit_lookup.h"
#include "skin/edit/painters.h"
#include "tests/skin/edit/edit_skin_fixture.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;

constexpr COLORREF kRed = 0x0000FF;
const uint32_t kBlackOverWhite80 = Over(kWhiteRgb, 0, 80);

class FramePaintingTest : public EditSkinTest {};

// The platform facts the frame painters stand on, as Wine shows them: a
// scroll bar is 17 pixels wide, so the client area sits where the frame
// geometry says; and the default processing of WM_NCPAINT with region -1
// leaves the frame alone, so it never covers the skinned ring.
TEST_F(FramePaintingTest, TheClientAreaLiesWhereTheFrameGeometrySaysAndNcPaintMinusOneDrawsNothing) {
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
  for (DWORD style : {DWORD(0), DWORD(WS_VSCROLL), DWORD(WS_VSCROLL | WS_HSCROLL), DWORD(WS_BORDER | WS_HSCROLL)}) {
    HWND edit = Add(L"Edit", style | ES_MULTILINE, 10, 10, 101, 80, WS_EX_CLIENTEDGE);
    RECT w = {};
    GetWindowRect(edit, &w);
    POINT origin = {0, 0};
    ClientToScreen(edit, &origin);
    RECT client = {};
    GetClientRect(edit, &client);
    OffsetRect(&client, origin.x - w.left, origin.y - w.top);
    EXPECT_EQ(SkinGetFrameGeometry(edit), client) << std::hex << style;
    DestroyWindow(edit);
  }
  HWND edit = Add(L"Edit", WS_VSCROLL | ES_MULTILINE, 10, 10, 100, 60, WS_EX_CLIENTEDGE);
  testsupport::PumpMessages(20);
  {
    korvath::platform::WindowDC dc = korvath::platform::WindowDC::Whole(edit);
    korvath::platform::GdiBrush magenta(CreateSolidBrush(0xFF00FF));
    RECT all = {0, 0, 100, 60};
    FillRect(dc.get(), &all, magenta.get());
  }
  DefWindowProcW(edit, WM_NCPAINT, WPARAM(-1), 0);
  const auto shown = Shown(edit);
  EXPECT_EQ(shown.RgbAt(0, 0), 0xFF00FFu);   // the edge
  EXPECT_EQ(shown.RgbAt(90, 30), 0xFF00FFu);  // the scroll bar
}

TEST_F(FramePaintingTest, BorderKindFollowsStyleBitsWithWsBorderWinning) {
  const struct {
    DWORD style, ex;
    int32_t kind;
  } cases[] = {
      {0, 0, kBorderNone},
      {WS_BORDER, WS_EX_CLIENTEDGE, kBorderFlat},
      {0, WS_EX_STATICEDGE, kBorderNone},
      {0, WS_EX_TOOLWINDOW, kBorderNone},
      {0, WS_EX_DLGMODALFRAME, kBorderEdge},
      {0, WS_EX_CLIENTEDGE, kBorderEdge},
  };
  for (const auto& c : cases) {
    HWND w = Add(L"Static", c.style, 0, 0, 20, 20, c.ex);
    EXPECT_EQ(SkinGetBorderKind(w), c.kind) << std::hex << c.style << " " << c.ex;
    DestroyWindow(w);
  }
}

// The stroke onto a white picture of the window's size, in each state.
TEST_F(FramePaintingTest, BorderStrokeFollowsHoverFocusAndBorderKind) {
  HWND edge = Add(L"Edit", 0, 10, 10, 60, 24, WS_EX_CLIENTEDGE);
  HWND flat = Add(L"Edit", WS_BORDER, 10, 40, 60, 24);
  HWND stranger = Add(L"Edit", 0, 10, 70, 60, 24, WS_EX_CLIENTEDGE);
  EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  DestroyWindow(stranger);
  stranger = Add(L"Edit", 0, 10, 70, 60, 24, WS_EX_CLIENTEDGE);  // in no list
  FindEditRecord(edge)->focused = true;
  const uint32_t theme180 = Over(kWhiteRgb, kTheme, 180);
  const uint32_t hotOuter = Over(Over(kWhiteRgb, 0xFFFFFF, 60), kTheme, 90);
  const struct {
    const char* name;
    HWND window;
    std::optional<bool> focused, hot;
    uint32_t outer, inner;  // pixels (0, 0) and (1, 1)
  } cases[] = {
      {"hot edge", edge, false, true, hotOuter, theme180},
      {"hot flat", flat, false, true, kBlackOverWhite80, kWhiteRgb},
      {"hot flat focused", flat, true, true, theme180, kWhiteRgb},
      {"focused from the entry", edge, std::nullopt, false, theme180, kWhiteRgb},
      {"plain", edge, false, false, kBlackOverWhite80, kWhiteRgb},
      {"not listed, states omitted", stranger, std::nullopt, std::nullopt, kBlackOverWhite80, kWhiteRgb},
  };
  for (const auto& c : cases) {
    SkinMemoryDc picture = SkinMemoryDc::Create(60, 24);
    FillPattern(picture.get(), 60, 24, nullptr, kWhiteRgb);
    {
      korvath::gdip::Graphics g;
      ASSERT_TRUE(g.FromHDC(picture.get()));
      SkinDrawControlBorder(c.window, FindEditRecord(c.window).get(), c.focused, c.hot, g);
    }
    const auto p = Pixels(picture.get(), 60, 24);
    EXPECT_PRED3(ColorNear, p.RgbAt(0, 0), c.outer, 3) << c.name;
    EXPECT_PRED3(ColorNear, p.RgbAt(59, 23), c.outer, 3) << c.name;
    EXPECT_PRED3(ColorNear, p.RgbAt(1, 1), c.inner, 3) << c.name;
    EXPECT_EQ(p.RgbAt(30, 12), kWhiteRgb) << c.name;
  }
}

TEST_F(FramePaintingTest, OwnerBufferTakesAllButTheKeyAndKeepsNoClip) {
  HWND control = Add(L"Static", 0, 30, 40, 20, 10);
  form_.Skin(control);
  SkinMemoryDc picture = SkinMemoryDc::Create(20, 10);
  FillPattern(picture.get(), 20, 10, nullptr, 0xFF00FF);
  SkinBlitToOwnerBuffer(record(), control, picture.get(), 0xFF00FF);
  HDC layer = record().ChildBackDC.get();
  EXPECT_EQ(Pixels(layer, kFormWidth, kFormHeight).RgbAt(35, 45), LayerPattern(35, 45));
  korvath::platform::GdiRegion clip(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(layer, clip.get()), 0);
  FillPattern(picture.get(), 20, 10, nullptr, 0x123456);
  SkinBlitToOwnerBuffer(record(), control, picture.get(), 0xFF00FF);
  EXPECT_EQ(Pixels(layer, kFormWidth, kFormHeight).RgbAt(35, 45), 0x123456u);
  EXPECT_EQ(Pixels(layer, kFormWidth, kFormHeight).RgbAt(51, 45), LayerPattern(51, 45));
}

TEST_F(FramePaintingTest, EditRingOnScreenAndInTheLayerKeepsTheClientArea) {
  HWND edit = Add(L"Edit", 0, 20, 20, 120, 30, WS_EX_CLIENTEDGE);
  EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  testsupport::PumpMessages(20);
  const struct {
    const char* name;
    bool focused, hot;
    uint32_t outer, inner;
  } cases[] = {
      {"plain", false, false, kBlackOverWhite80, kWhiteRgb},
      {"focused", true, false, Over(kWhiteRgb, kTheme, 180), kWhiteRgb},
      {"hot", false, true, Over(Over(kWhiteRgb, 0xFFFFFF, 60), kTheme, 90), Over(kWhiteRgb, kTheme, 180)},
  };
  for (const auto& c : cases) {
    const uint32_t clientInLayer = 0x123456;
    {
      korvath::platform::GdiBrush marker(CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
      RECT client = {30, 30, 100, 40};
      FillRect(record().ChildBackDC.get(), &client, marker.get());
    }
    EditSkinBorderPaint(edit, FindEditRecord(edit), c.focused, c.hot);
    const auto shown = Shown(edit);
    const auto layer = Layer();
    EXPECT_PRED3(ColorNear, shown.RgbAt(0, 0), c.outer, 3) << c.name;
    EXPECT_PRED3(ColorNear, shown.RgbAt(1, 1), c.inner, 3) << c.name;
    EXPECT_PRED3(ColorNear, layer.RgbAt(20, 20), c.outer, 3) << c.name;
    EXPECT_PRED3(ColorNear, layer.RgbAt(21, 21), c.inner, 3) << c.name;
    // The client area is the edit's own on screen and keyed out of the layer.
    EXPECT_EQ(layer.RgbAt(60, 35), clientInLayer) << c.name;
    if (HasFailure()) testsupport::SaveFailureImage(shown, std::string("edit_ring_") + c.name);
  }
}

// An edit's paint puts its ring back on screen whether or not its frame is
// painted with it, and paints it once: with the frame when the frame is
// painted, else after the client area.
TEST_F(FramePaintingTest, EditPaintsPutTheRingBackOnceWithOrWithoutTheFrame) {
  HWND edit = Add(L"Edit", 0, 20, 20, 120, 30, WS_EX_CLIENTEDGE);
  EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  testsupport::PumpMessages(20);
  const auto spoil = [edit] {
    korvath::platform::WindowDC dc = korvath::platform::WindowDC::Whole(edit);
    korvath::platform::GdiBrush red(CreateSolidBrush(kRed));
    RECT all = {0, 0, 120, 30};
    FillRect(dc.get(), &all, red.get());
  };
  // Each ring's paint reads the background-piece property of the edit and
  // of its parent: a paint with the frame reads no more than one without.
  uint64_t reads[2] = {};
  const UINT flags[2] = {RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    spoil();
    const uint64_t before = SkinWindowPropertyReads();
    RedrawWindow(edit, nullptr, nullptr, flags[i]);
    reads[i] = SkinWindowPropertyReads() - before;
    const auto shown = Shown(edit);
    EXPECT_PRED3(ColorNear, shown.RgbAt(0, 0), kBlackOverWhite80, 3);
    EXPECT_PRED3(ColorNear, shown.RgbAt(1, 1), kWhiteRgb, 3);
    EXPECT_PRED3(ColorNear, shown.RgbAt(119, 29), kBlackOverWhite80, 3);
  }
  EXPECT_GT(reads[0], 0u);
  EXPECT_EQ(reads[1], reads[0]);
}

// The ring reaches every edge of the edit, on screen and in the layer: a
// wide edit and a tall one, focused, whatever the window showed before.
TEST_F(FramePaintingTest, EditRingRunsRoundEveryEdgeOnScreenAndInTheLayer) {
  const uint32_t focused = Over(kWhiteRgb, kTheme, 180);
  const struct { int x, y, w, h; } edits[] = {{20, 20, 150, 30}, {200, 20, 40, 120}};
  for (const auto& e : edits) {
    HWND edit = Add(L"Edit", ES_MULTILINE, e.x, e.y, e.w, e.h, WS_EX_CLIENTEDGE);
    EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
    testsupport::PumpMessages(20);
    {
      korvath::platform::WindowDC dc = korvath::platform::WindowDC::Whole(edit);
      korvath::platform::GdiBrush magenta(CreateSolidBrush(0xFF00FF));
      const RECT all = {0, 0, e.w, e.h};
      FillRect(dc.get(), &all, magenta.get());
    }
    EditSkinBorderPaint(edit, FindEditRecord(edit), true, false);
    const auto shown = Shown(edit);
    const auto layer = Layer();
    const POINT ring[] = {{0, 0}, {e.w / 2, 0}, {e.w - 1, 0}, {e.w - 1, e.h / 2}, {e.w - 1, e.h - 1},
                          {e.w / 2, e.h - 1}, {0, e.h - 1}, {0, e.h / 2}};
    for (const POINT& p : ring) {
      EXPECT_PRED3(ColorNear, shown.RgbAt(p.x, p.y), focused, 3) << e.w << "x" << e.h << " " << p.x << "," << p.y;
      EXPECT_PRED3(ColorNear, layer.RgbAt(e.x + p.x, e.y + p.y), focused, 3)
          << e.w << "x" << e.h << " " << p.x << "," << p.y;
    }
    // One pixel in, the white fill of the ring.
    EXPECT_EQ(shown.RgbAt(e.w - 2, e.h / 2), kWhiteRgb) << e.w << "x" << e.h;
    EXPECT_EQ(shown.RgbAt(e.w / 2, e.h - 2), kWhiteRgb) << e.w << "x" << e.h;
    if (HasFailure()) testsupport::SaveFailureImage(shown, "edit_ring_edges");
  }
}

TEST_F(FramePaintingTest, EditRingLeavesTheScrollBarOnScreenButGivesItToTheLayer) {
  HWND edit = Add(L"Edit", WS_VSCROLL | ES_MULTILINE, 20, 20, 120, 60, WS_EX_CLIENTEDGE);
  form_.Skin(edit);  // an owner, but no entry and no overlay over the bar
  testsupport::PumpMessages(20);
  EditSkinBorderPaint(edit, FindEditRecord(edit));
  EXPECT_NE(Shown(edit).RgbAt(110, 30), kWhiteRgb);
  EXPECT_EQ(Layer().RgbAt(130, 50), kWhiteRgb);
  EXPECT_PRED3(ColorNear, Shown(edit).RgbAt(0, 0), kBlackOverWhite80, 3);
}

TEST_F(FramePaintingTest, TransparentModeFillsTheRingWithThePanelColourOrWhiteAtTheEngineAlpha) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND panel = Add(L"Edit", 0, 20, 20, 100, 30, WS_EX_CLIENTEDGE);
  HWND plain = Add(L"Edit", 0, 20, 70, 100, 30, WS_EX_CLIENTEDGE);
  EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  SetSkinProp(panel, prop::Zqk_Szqk, 1);
  SetSkinProp(panel, prop::Zqk_bjs, kRed);
  SetSkinProp(panel, prop::Zqk_bjstmd, 128);
  EditSkinBorderPaint(panel, FindEditRecord(panel), false, false);
  EditSkinBorderPaint(plain, FindEditRecord(plain), false, false);
  EXPECT_PRED3(ColorNear, Shown(panel).RgbAt(1, 1), Over(BackPattern(21, 21), kRed, 128), 3);
  EXPECT_PRED3(ColorNear, Shown(plain).RgbAt(1, 1), Over(BackPattern(21, 71), 0xFFFFFF, 160), 3);
}

TEST_F(FramePaintingTest, WindowDcBackgroundVeilsTheParentBackgroundByTheGivenAlpha) {
  HWND edit = Add(L"Edit", 0, 20, 20, 100, 30, WS_EX_CLIENTEDGE);
  form_.Skin(edit);
  const RECT client = SkinGetFrameGeometry(edit);
  const int fx = 20 + client.left + 5, fy = 20 + client.top + 5;  // a client pixel in form coordinates
  const auto at = [&] { return Shown(edit).RgbAt(client.left + 5, client.top + 5); };
  SkinPaintWindowDcBackground(record(), edit);
  EXPECT_PRED3(ColorNear, at(), Over(BackPattern(fx, fy), 0xFFFFFF, 160), 3);
  SkinPaintWindowDcBackground(record(), edit, nullptr, 0);
  EXPECT_PRED3(ColorNear, at(), BackPattern(fx, fy), 2);
  // A panel's colour ignores the caller's alpha.
  SetSkinProp(edit, prop::Zqk_Szqk, 1);
  SetSkinProp(edit, prop::Zqk_bjs, kRed);
  SkinPaintWindowDcBackground(record(), edit, nullptr, 200);
  EXPECT_PRED3(ColorNear, at(), BackPattern(fx, fy), 2);
  // A client-area DC gets the picture at its own origin.
  SetSkinProp(edit, prop::Zqk_Szqk, 0);
  {
    korvath::platform::WindowDC dc = korvath::platform::WindowDC::Client(edit);
    SkinPaintWindowDcBackground(record(), edit, dc.get(), 255);
  }
  EXPECT_EQ(at(), kWhiteRgb);
}

TEST_F(FramePaintingTest, ListFramesFollowHoverAndFocusAndSkipDropDownListsAndBorderless) {
  HWND list = Add(L"ListBox", WS_BORDER, 20, 20, 100, 80);
  HWND tree = Add(WC_TREEVIEWW, 0, 140, 20, 100, 80, WS_EX_CLIENTEDGE);
  HWND bare = Add(WC_LISTVIEWW, LVS_REPORT, 20, 120, 100, 80);
  ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  testsupport::PumpMessages(20);
  const int32_t listEntry = SkinSlotNumber(list), treeEntry = SkinSlotNumber(tree);
  ChildControlSkinPaintFrame(SkinFoundEntryAt(record(), &SkinWindowRecord::Children, listEntry), false, false);
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 40), Over(kWhiteRgb, 0, 90), 3);
  ChildControlSkinPaintFrame(SkinFoundEntryAt(record(), &SkinWindowRecord::Children, listEntry), true, false);
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 40), Over(kWhiteRgb, kTheme, 200), 3);
  EXPECT_PRED3(ColorNear, Layer().RgbAt(20, 60), Over(kWhiteRgb, kTheme, 200), 3);
  // Focused and not hot: one theme stroke, never the edit's three.
  SkinFindEntry(tree, &SkinWindowRecord::Children)->focused = true;
  ChildControlSkinPaintFrame(SkinFoundEntryAt(record(), &SkinWindowRecord::Children, treeEntry), false);
  EXPECT_PRED3(ColorNear, Shown(tree).RgbAt(0, 0), Over(kWhiteRgb, kTheme, 200), 3);
  EXPECT_EQ(Shown(tree).RgbAt(1, 1), kWhiteRgb);
  // With hover tracking the hot ring is two pixels wide, one pixel in.
  SkinEngine.options.SkinHoverTracking = 1;
  ChildControlSkinPaintFrame(SkinFoundEntryAt(record(), &SkinWindowRecord::Children, treeEntry), true);
  EXPECT_PRED3(ColorNear, Shown(tree).RgbAt(1, 1), Over(kWhiteRgb, kTheme, 200), 3);
  // A borderless control changes nothing, on screen or in the layer.
  const auto before = Layer().RgbAt(20, 120);
  ChildControlSkinPaintFrame(SkinFoundEntryAt(record(), &SkinWindowRecord::Children, SkinSlotNumber(bare)), true);
  EXPECT_EQ(Layer().RgbAt(20, 120), before);
}

}  // namespace
