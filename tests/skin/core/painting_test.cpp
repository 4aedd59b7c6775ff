// Painting over a skinned form: parent backgrounds, the child layer, control
// backgrounds and owner-drawn buttons.
#include <gtest/gtest.h>

#include <memory>

#include "gdip/graphics.h"

#include "skin/core/background_container.h"
#include "skin/core/child_layer.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_startup.h"
#include "skin/core/parent_background.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/shape_drawing.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;

class PaintingTest : public EngineTest {
 protected:
  SkinnedForm form_{240, 200};
};

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

TEST_F(PaintingTest, APaintedControlOverAColouredParentShowsThatColour) {
  HWND group = form_.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND control = form_.AddChild(L"STATIC", 0, 10, 20, 80, 40, group);
  HWND onForm = form_.AddChild(L"STATIC", 0, 20, 140, 80, 40);
  const int32_t groupNumber = form_.AddContainer(group, kGreen, 255, ContainerKind::GroupBox);
  // A control's own number in its list may be a container's number too: it
  // makes the control no container.
  SetSkinProp(onForm, prop::Hw_lbID, groupNumber);
  for (HWND w : {control, onForm}) {
    form_.Skin(w);
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentControlProc));
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
  }
  // Wine puts each window's picture on the screen in its own time: wait for both.
  testsupport::PumpUntil([&] {
    return testsupport::CaptureClient(control).RgbAt(40, 20) == Rgb(kGreen) &&
           testsupport::CaptureClient(onForm).RgbAt(40, 20) == BackPattern(60, 160);
  });
  const auto shown = testsupport::CaptureClient(control);
  for (auto [x, y] : {std::pair{2, 2}, {40, 20}, {77, 37}}) EXPECT_EQ(shown.RgbAt(x, y), Rgb(kGreen)) << x << "," << y;
  if (HasFailure()) testsupport::SaveFailureImage(shown, "coloured_parent");
  // Straight on the form: the form's own picture at the control's place.
  EXPECT_EQ(testsupport::CaptureClient(onForm).RgbAt(40, 20), BackPattern(60, 160));
  // The layer keeps both pictures for later refreshes.
  const auto layer = Pixels(form_.record().ChildBackDC.get(), 240, 200);
  EXPECT_EQ(layer.RgbAt(70, 60), Rgb(kGreen));
  EXPECT_EQ(layer.RgbAt(60, 160), BackPattern(60, 160));
}

TEST_F(PaintingTest, TheNearestContainerThatPaintsTintsTheCopyOfTheBackBuffer) {
  const struct {
    const char* name;
    COLORREF colour;
    int alpha;
    bool framed, panel;
    uint32_t expected;  // at (55, 55) in the form
  } cases[] = {
      {"opaque", kBlue, 255, true, false, Rgb(kBlue)},
      {"translucent", kBlue, 128, true, false, Blend(BackPattern(55, 55), Rgb(kBlue), 128)},
      {"no colour", 0, 255, true, false, BackPattern(55, 55)},
      {"paints nothing", kGreen, 255, false, false, Rgb(kRed)},
      {"panel", kGreen, 255, false, true, Rgb(kRed)},  // never its own colour
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND outer = form_.AddChild(L"BUTTON", BS_GROUPBOX, 10, 10, 200, 150);
    HWND inner = form_.AddChild(L"STATIC", 0, 10, 20, 150, 100, outer);
    HWND edit = form_.AddChild(L"EDIT", 0, 15, 15, 40, 20, inner);
    form_.AddContainer(outer, kRed, 255, ContainerKind::GroupBox);
    form_.AddContainer(inner, c.colour, c.alpha, ContainerKind::Other, c.framed);
    if (c.panel) SetSkinProp(inner, prop::Zqk_LbID, 1);
    SkinMemoryDc dc = SkinPaintParentBackground(c.panel ? inner : edit, RECT{0, 0, 40, 20});
    const uint32_t seen = Pixels(dc.get(), 40, 20).RgbAt(20, 10);
    EXPECT_TRUE(ColorNear(seen, c.expected, c.alpha == 128 ? 3 : 0)) << std::hex << seen << " " << c.expected;
    DestroyWindow(outer);
    form_.record().Containers = SkinEntryList<SkinContainerEntry>(1);
  }
  // A group box is filled inside its rounded frame only, whatever inset and
  // corner its painter gives.
  HWND group = form_.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  form_.AddContainer(group, kRed, 255, ContainerKind::GroupBox);
  SkinMemoryDc dc = SkinPaintParentBackground(group, RECT{0, 0, 150, 100}, 20, 5);
  const auto px = Pixels(dc.get(), 150, 100);
  EXPECT_EQ(px.RgbAt(75, 2), BackPattern(95, 22));  // above the frame
  EXPECT_EQ(px.RgbAt(0, 5), BackPattern(20, 25));   // outside the rounded corner
  EXPECT_EQ(px.RgbAt(8, 12), Rgb(kRed));
  EXPECT_EQ(px.RgbAt(140, 90), Rgb(kRed));
  // Inside a coloured container, the band outside the frame keeps that
  // container's colour.
  DestroyWindow(group);
  HWND box = form_.AddChild(L"STATIC", 0, 0, 0, 240, 200);
  group = form_.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100, box);
  form_.AddContainer(box, kGreen, 255);
  form_.AddContainer(group, kRed, 255, ContainerKind::GroupBox);
  dc = SkinPaintParentBackground(group, RECT{0, 0, 150, 100}, 20, 5);
  const auto banded = Pixels(dc.get(), 150, 100);
  EXPECT_EQ(banded.RgbAt(75, 2), Rgb(kGreen));
  EXPECT_EQ(banded.RgbAt(0, 5), Rgb(kGreen));
  EXPECT_EQ(banded.RgbAt(8, 12), Rgb(kRed));
}

// Without a skinned ancestor there is nothing to copy, and nothing is left.
TEST_F(PaintingTest, NoSkinnedAncestorGivesNoBackgroundAndLeaksNothing) {
  testsupport::TestWindow plain(120, 80, L"plain", WS_POPUP | WS_VISIBLE);
  HWND orphan = plain.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 6, 40, 20);
  const long objects = korvath::platform::LiveGdiObjectCount();
  const size_t dcs = SkinMemoryDcList().size();
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(SkinPaintParentBackground(orphan, RECT{0, 0, 40, 20}));
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), objects);
  EXPECT_EQ(SkinMemoryDcList().size(), dcs);
}

// Without a skinned ancestor a background piece around the window still
// gives its layer's picture at the window's place, however deep the window
// lies in it; the piece itself gets a blank picture of its own.
TEST_F(PaintingTest, ABackgroundPieceWithoutASkinnedAncestorGivesItsLayer) {
  testsupport::TestWindow plain(200, 150, L"plain", WS_POPUP | WS_VISIBLE);
  HWND piece = plain.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 180, 130);
  HWND inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 15, 120, 90, piece, 0, 0, 0);
  HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 6, 40, 20, inner, 0, 0, 0);
  SkinMemoryDc layer = SkinMemoryDc::Create(180, 130);
  FillPattern(layer.get(), 180, 130, BackPattern);
  SetSkinProp(piece, prop::Wxk_Zpf, 1);
  SetSkinPropHandle(piece, prop::Wxk_Cj, layer.get());
  EXPECT_EQ(GetParentBackgroundPiece(control), piece);
  EXPECT_EQ(GetParentBackgroundPiece(piece), nullptr);  // a piece is not its own parent piece
  EXPECT_TRUE(SkinIsBackgroundPiece(piece));
  EXPECT_EQ(GetParentBackgroundPiece(plain.hwnd()), nullptr);
  SkinMemoryDc dc = SkinPaintParentBackground(control, RECT{0, 0, 40, 20});
  ASSERT_TRUE(dc);
  const auto px = Pixels(dc.get(), 40, 20);
  EXPECT_EQ(px.RgbAt(0, 0), BackPattern(25, 21));
  EXPECT_EQ(px.RgbAt(39, 19), BackPattern(64, 40));
  SkinMemoryDc own = SkinPaintParentBackground(piece, RECT{0, 0, 180, 130});
  ASSERT_TRUE(own);
  EXPECT_EQ(Pixels(own.get(), 180, 130).RgbAt(25, 21), 0u);
}

TEST_F(PaintingTest, RefreshCopiesTheLayerOntoTheWindowAndLeavesAGivenDcToTheCaller) {
  HWND label = form_.AddChild(L"STATIC", 0, 30, 40, 60, 25);
  form_.Skin(label);
  form_.AddChild(L"EDIT", 0, 10, 10, 30, 10, label);
  testsupport::PumpMessages();
  SkinRefreshWindow(form_.record(), label);
  // The window surface reaches the screen.
  testsupport::PumpUntil([&] { return testsupport::CaptureClient(label).RgbAt(0, 0) == LayerPattern(30, 40); });
  const auto shown = testsupport::CaptureClient(label);
  EXPECT_EQ(shown.RgbAt(0, 0), LayerPattern(30, 40));
  EXPECT_EQ(shown.RgbAt(59, 24), LayerPattern(89, 64));
  if (HasFailure()) testsupport::SaveFailureImage(shown, "refresh");
  // A DC the caller gives (a BeginPaint DC, say) stays the caller's to release.
  for (bool clipSelfPainting : {false, true}) {
    HDC dc = GetDC(label);
    SkinRefreshWindow(form_.record(), label, clipSelfPainting, dc);
    korvath::platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetClipRgn(dc, region.get()), 1) << clipSelfPainting;  // no clipping left behind
    EXPECT_EQ(ReleaseDC(label, dc), 1) << clipSelfPainting;
  }
}

// A canvas starts as what lies beneath the control; its finished picture goes
// into the owner's child layer at the control's client area or its window
// rectangle, or, keyed, without the key's pixels; only then is it copied or
// given away.
TEST_F(PaintingTest, ACanvasShowsWhatLiesBeneathAndFinishingPutsThePictureInTheChildLayer) {
  HWND plain = form_.AddChild(L"STATIC", 0, 30, 40, 60, 30);
  HWND framed = form_.AddChild(L"STATIC", WS_BORDER, 100, 40, 60, 30);
  HDC layer = form_.record().ChildBackDC.get();
  const auto layerAt = [&](int x, int y) { return Pixels(layer, 240, 200).RgbAt(x, y); };

  SkinCanvas canvas(form_.record(), plain, RECT{0, 0, 60, 30}, {.drawing = SkinCanvasDrawing::ThroughDc});
  ASSERT_TRUE(canvas);
  EXPECT_EQ(canvas.width(), 60);
  EXPECT_EQ(canvas.height(), 30);
  EXPECT_EQ(Pixels(canvas.dc(), 60, 30).RgbAt(5, 5), BackPattern(35, 45));
  SkinFillSolid(canvas.graphics(), 0xFFFF0000u, 10, 10, 20, 10);
  canvas.Finish();
  EXPECT_EQ(canvas.graphics().NativeGraphics(), nullptr);  // gone before the picture went on
  EXPECT_EQ(layerAt(45, 55), Rgb(kRed));
  EXPECT_EQ(layerAt(35, 45), BackPattern(35, 45));
  EXPECT_EQ(layerAt(29, 39), LayerPattern(29, 39));
  SkinMemoryDc target = SkinMemoryDc::Create(70, 40);
  canvas.CopyTo(target.get(), 10, 10);
  EXPECT_EQ(Pixels(target.get(), 70, 40).RgbAt(25, 25), Rgb(kRed));
  const SkinMemoryDc kept = canvas.Release();
  EXPECT_FALSE(canvas);
  EXPECT_EQ(Pixels(kept.get(), 60, 30).RgbAt(15, 15), Rgb(kRed));

  // The client area of a framed control leaves its frame in the layer alone;
  // the window rectangle covers it.
  for (const SkinLayerCopy copy : {SkinLayerCopy::ClientArea, SkinLayerCopy::WindowRect}) {
    FillPattern(layer, 240, 200, LayerPattern);
    SkinCanvas client(form_.record(), framed, RECT{0, 0, 58, 28});
    ASSERT_TRUE(client);
    FillPattern(client.dc(), 58, 28, nullptr, Rgb(kGreen));
    client.Finish(copy);
    const bool whole = copy == SkinLayerCopy::WindowRect;
    EXPECT_EQ(layerAt(100, 40), whole ? Rgb(kGreen) : LayerPattern(100, 40)) << whole;
    EXPECT_EQ(layerAt(101, 41), Rgb(kGreen)) << whole;
    EXPECT_EQ(layerAt(158, 68), whole ? LayerPattern(158, 68) : Rgb(kGreen)) << whole;
  }

  // Keyed, drawn on the pixels: the key's pixels keep the layer's.
  FillPattern(layer, 240, 200, LayerPattern);
  SkinCanvas keyed(form_.record(), framed, RECT{0, 0, 60, 30}, {.drawing = SkinCanvasDrawing::OnPixels});
  ASSERT_TRUE(keyed);
  keyed.graphics().Clear(0xFFFF00FFu);
  SkinFillSolid(keyed.graphics(), 0xFF0000FFu, 20, 10, 10, 10);
  keyed.FinishKeyed(0xFF00FF);
  EXPECT_EQ(keyed.graphics().NativeGraphics(), nullptr);
  EXPECT_EQ(layerAt(125, 55), Rgb(kBlue));
  EXPECT_EQ(layerAt(105, 45), LayerPattern(105, 45));
}

TEST_F(PaintingTest, AControlsColourOrAPanelsOrWhiteWashesItsBackground) {
  SkinEngine.options.SkinAlpha = 160;
  HWND edit = form_.AddChild(L"STATIC", WS_BORDER, 30, 40, 82, 24);
  auto background = [&](int x, int y) {
    const auto px = testsupport::CaptureBitmap(SkinMakeBackgroundBitmap(edit).get());
    EXPECT_EQ(px.width, 80);  // the client area
    return px.RgbAt(x, y);
  };
  for (auto [x, y] : {std::pair{0, 0}, {79, 21}, {40, 10}})
    EXPECT_TRUE(ColorNear(background(x, y), Blend(BackPattern(31 + x, 41 + y), 0xFFFFFF, 160), 3)) << x;
  SetSkinProp(edit, prop::Zqk_Szqk, 1);
  SetSkinProp(edit, prop::Zqk_bjs, 0x0000FF);
  SetSkinProp(edit, prop::Zqk_bjstmd, 200);
  EXPECT_TRUE(ColorNear(background(10, 10), Blend(BackPattern(41, 51), 0xFF0000, 200), 3));
  SetSkinProp(edit, prop::Zqk_Szqk, 2);  // only 1 means "under a panel"
  EXPECT_TRUE(ColorNear(background(10, 10), Blend(BackPattern(41, 51), 0xFFFFFF, 160), 3));
  SetSkinProp(edit, prop::Kj_bjys, 0x00FF00);
  SetSkinProp(edit, prop::Kj_bjystmd, 255);
  EXPECT_EQ(background(10, 10), 0x00FF00u);
}

// A skinned top-level window that paints into its own child layer (it has no
// owner number; its own record is the owner): the picture lands at its client
// area, inside its border, and its visible children keep their places in the
// layer untouched; the layer keeps no clip.
TEST_F(PaintingTest, ASkinnedWindowPaintsIntoItsOwnChildLayerAtItsClientArea) {
  constexpr int kW = 160, kH = 120;
  testsupport::TestWindow framed(kW, kH, L"framed", WS_POPUP | WS_BORDER | WS_VISIBLE);
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = framed.hwnd();
  record->ChildBackDC = SkinMemoryDc::Create(kW, kH);
  FillPattern(record->ChildBackDC.get(), kW, kH, LayerPattern);
  HDC layer = SkinAppendWindowRecord(std::move(record))->ChildBackDC.get();
  ASSERT_EQ(GetSkinProp(framed.hwnd(), prop::Hw_FuID), 0);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 20, 40, 30, framed.hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  RECT client{};
  GetClientRect(framed.hwnd(), &client);
  POINT corner{0, 0};
  ClientToScreen(framed.hwnd(), &corner);
  RECT outer{};
  GetWindowRect(framed.hwnd(), &outer);
  const int bx = corner.x - outer.left, by = corner.y - outer.top;
  ASSERT_GT(bx, 0) << "the border puts the client area inside the window";

  constexpr uint32_t kPainted = 0x203040;
  SkinMemoryDc picture = SkinMemoryDc::Create(client.right, client.bottom);
  FillPattern(picture.get(), client.right, client.bottom, nullptr, kPainted);
  SkinPaintChildBackground(framed.hwnd(), picture.get());

  const auto px = Pixels(layer, kW, kH);
  EXPECT_EQ(px.RgbAt(bx, by), kPainted);
  EXPECT_EQ(px.RgbAt(bx + client.right - 1, by + client.bottom - 1), kPainted);
  EXPECT_EQ(px.RgbAt(bx - 1, by - 1), LayerPattern(bx - 1, by - 1)) << "the border is not the client area";
  EXPECT_EQ(px.RgbAt(bx + 30, by + 30), LayerPattern(bx + 30, by + 30)) << "the child keeps its place";
  korvath::platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(layer, region.get()), 0) << "no clip is left on the layer";
  if (HasFailure()) testsupport::SaveFailureImage(px, "own_child_layer");
  DestroyWindow(child);
  SkinRemoveWindowRecord(SkinFindWindowRecord(framed.hwnd()));
}

}  // namespace
