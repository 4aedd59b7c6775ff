// The rendered back buffer of a skinned form: background, outline, title,
// caption items in each look, the region, and partial repaints.
#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/caption/caption_buttons.h"
#include "skin/caption/caption_title.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/background_theme.h"
#include "skin/form/background_theme.h"
#include "skin/form/form_background.h"
#include "skin/form/form_render.h"
#include "tests/skin/form/form_fixture.h"
#include "tests/support/png_writer.h"

namespace korvath::skin::test {
namespace {

constexpr uint32_t kGround = 0xECECEC;

int CountNear(const PixelBuffer& p, const RECT& area, uint32_t colour, int tol = 24) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (ColorNear(p.RgbAt(x, y), colour, tol)) ++count;
  return count;
}

PixelBuffer Item(const SkinWindowRecord& r, int i) {
  const gdip::RectF b = r.CaptionItems[size_t(i) - 1].Bounds;
  return CaptureDC(r.BackDC.get(), int(b.x - 1), int(b.y), r.CaptionItems[size_t(i) - 1].Width, 18);
}

void Paint(int32_t n, int32_t item, bool pressed, int32_t level) {
  gdip::Graphics graphics;
  SkinPaintCaptionButtons(*SkinRecordAt(n), graphics, {.item = item, .pressed = pressed, .hoverLevel = level});
}

TEST_F(FormTest, RenderLaysBackgroundOutlineTitleAndItemsAndShapesTheWindow) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  const PixelBuffer p = Back();
  ASSERT_EQ(p.width, 400);
  EXPECT_EQ(p.RgbAt(200, 150), kGround);
  // The dark outline, and inside it the white line of a form without shadow.
  EXPECT_TRUE(ColorNear(p.RgbAt(200, 0), 0x5A5A5A, 12)) << std::hex << p.RgbAt(200, 0);
  EXPECT_GT(p.RgbAt(200, 1) & 0xFF, kGround & 0xFF);
  EXPECT_TRUE(ColorNear(p.RgbAt(0, 150), 0x5A5A5A, 12));
  // The white title with its grey halo, in the caption.
  EXPECT_GT(CountNear(p, {6, 4, 160, 25}, 0xFFFFFF, 10), 40);
  EXPECT_GT(CountNear(p, {6, 4, 160, 25}, 0x808080 + 0x303030, 40), 20);
  // The close glyph's white X at the close item's centre.
  const gdip::RectF close = record().CaptionItems[1].Bounds;
  EXPECT_GT(CountNear(p, {int(close.x) + 14, 4, int(close.x) + 24, 14}, 0xFFFFFF, 16), 10);
  // What reaches the screen is the back buffer.
  EXPECT_EQ(CaptureClient(form()).RgbAt(200, 150), kGround);
  // The caption's saved background and the snapshot.
  EXPECT_EQ(GetSkinProp(form(), prop::CK_Ggcj), reinterpret_cast<LONG_PTR>(record().ChildBackDC.get()));
  EXPECT_EQ(CaptureDC(record().ChildBackDC.get(), 0, 0, 400, 300).pixels, p.pixels);
  EXPECT_EQ(CaptureDC(record().CaptionDC.get(), 300, 5, 1, 1).RgbAt(0, 0), kGround);

  // The region: 5 x 5 corners, one pixel past the right and bottom edges.
  platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form(), region.get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 200, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 399, 150));
  EXPECT_FALSE(PtInRegion(region.get(), 0, 299));
}

// The region is made once per client size: a render at the same size keeps
// the window's region, a render at a new size (wider, then higher) fits the
// new edges.
// A render given a DC puts its back buffer there; asked not to present, it
// leaves the DC as it is.
TEST_F(FormTest, ARenderPutsItsPictureOnTheDCItIsGiven) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  const SkinMemoryDc target = SkinMemoryDc::Create(400, 300);
  const RECT all{0, 0, 400, 300};
  FillRect(target.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SkinFormRender(record(), target.get(), false);
  EXPECT_EQ(CaptureDC(target.get(), 200, 150, 1, 1).RgbAt(0, 0), 0u);
  SkinFormRender(record(), target.get());
  EXPECT_EQ(CaptureDC(target.get(), 200, 150, 1, 1).pixels, CaptureDC(record().BackDC.get(), 200, 150, 1, 1).pixels);
  EXPECT_EQ(CaptureDC(target.get(), 200, 150, 1, 1).RgbAt(0, 0), kGround);
}

TEST_F(FormTest, TheRegionIsMadeAgainOnlyForANewSize) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  const auto pointIn = [&](int x, int y) {
    platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(form(), region.get()) != ERROR && PtInRegion(region.get(), x, y);
  };
  ASSERT_TRUE(pointIn(399, 150));
  // A region set from outside stays through a render at the same size.
  SetWindowRgn(form(), CreateRectRgn(0, 0, 100, 100), FALSE);
  SkinFormRender(record());
  EXPECT_FALSE(pointIn(200, 150));
  EXPECT_TRUE(pointIn(50, 50));

  for (const SIZE size : {SIZE{460, 300}, SIZE{460, 350}}) {
    SetWindowPos(form(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    SkinFormRender(record());
    RECT client{};
    GetClientRect(form(), &client);
    EXPECT_TRUE(pointIn(client.right - 1, client.bottom / 2)) << size.cx << " x " << size.cy;
    EXPECT_TRUE(pointIn(client.right / 2, client.bottom - 1)) << size.cx << " x " << size.cy;
    EXPECT_FALSE(pointIn(0, client.bottom - 1)) << size.cx << " x " << size.cy;
    EXPECT_FALSE(pointIn(client.right + 1, client.bottom / 2)) << size.cx << " x " << size.cy;
  }
}

TEST_F(FormTest, CaptionItemsShowNormalHoverAndPressedLooks) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  const int32_t n = number();
  const PixelBuffer normal = Item(record(), 1);
  Paint(n, 1, false, 240);
  const PixelBuffer hover = Item(record(), 1);
  Paint(n, 1, true, 0);
  const PixelBuffer pressed = Item(record(), 1);
  Paint(n, 1, false, 0);
  EXPECT_EQ(Item(record(), 1).pixels, normal.pixels);  // level 0 is the item at rest
  EXPECT_NE(hover.pixels, normal.pixels);
  EXPECT_NE(pressed.pixels, normal.pixels);
  EXPECT_NE(pressed.pixels, hover.pixels);
  // Hovered and pressed minimise items darken the ground near the top.
  EXPECT_LT(hover.RgbAt(3, 2) & 0xFF, normal.RgbAt(3, 2) & 0xFF);
  // The pressed close item is red at the top, the hovered one reddish too.
  Paint(n, 2, true, 0);
  const uint32_t red = Item(record(), 2).RgbAt(3, 1);
  EXPECT_GT(int(red >> 16), int(red & 0xFF) + 80) << std::hex << red;
  Paint(n, 2, false, 240);
  const uint32_t tint = Item(record(), 2).RgbAt(3, 2);
  EXPECT_GT(int(tint >> 16), int(tint & 0xFF) + 40) << std::hex << tint;
  // A repaint shows the item on the window at once.
  const gdip::RectF b = record().CaptionItems[1].Bounds;
  PumpMessages(50);  // the window surface reaches the screen
  EXPECT_TRUE(ColorNear(CaptureClient(form()).RgbAt(int(b.x) + 2, 2), tint, 12));
}

// A long title keeps within the caption, and a new title leaves nothing of
// the old one: the rectangle restored is the rectangle drawn in.
TEST_F(FormTest, TitleStaysInTheCaptionAndANewTitleLeavesNoGhost) {
  // Without the icon, every white pixel left of the items is the title's.
  FormSkinSettings s = Framed();
  s.hideIcon = true;
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300, s);
  SetWindowTextW(form(), L"A very long title that wraps onto a second line and a third one, well past the caption");
  record().RenderPending = true;
  InvalidateRect(form(), nullptr, FALSE);
  UpdateWindow(form());
  PixelBuffer p = Back();
  EXPECT_GT(CountNear(p, {6, 4, 300, 25}, 0xFFFFFF, 10), 40);
  EXPECT_EQ(CountNear(p, {6, 26, 330, 60}, kGround, 0), (330 - 6) * (60 - 26)) << "title below the caption";

  SetWindowTextW(form(), L"Short");
  const PixelBuffer repainted = Back();
  record().RenderPending = true;
  InvalidateRect(form(), nullptr, FALSE);
  UpdateWindow(form());
  EXPECT_EQ(repainted.pixels, Back().pixels);
  // A null text is an empty title.
  SendMessageW(form(), WM_SETTEXT, 0, 0);
  const RECT title = SkinCaptionTitleRect(record());
  EXPECT_EQ(CountNear(Back(), title, 0xFFFFFF, 10), 0);
}

// The program's icon (resource 129 of every program here) reaches the engine's
// classes and, unless the form hides it, the caption's top left corner.
TEST_F(FormTest, TheProgramsIconShowsInTheCaptionUnlessTheFormHidesIt) {
  ASSERT_NE(SkinEngine.options.AppIcon, nullptr);
  EXPECT_EQ(SkinEngine.options.AppIcon, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(129)));
  WNDCLASSEXW shadow{sizeof shadow};
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"yinyWindow", &shadow));
  EXPECT_EQ(shadow.hIcon, SkinEngine.options.AppIcon);

  // The icon's white bust stands in the caption's corner at 17 x 17.
  auto bustPixels = [this] {
    const RECT corner{SkinEngine.forms.SkinResizeBorder + 6, SkinEngine.forms.SkinResizeBorder + 1,
                      SkinEngine.forms.SkinResizeBorder + 6 + 17, SkinEngine.forms.SkinResizeBorder + 1 + 17};
    return CountNear(Back(), corner, 0xFFFFFF, 8);
  };
  auto rimPixels = [this] {
    const RECT corner{SkinEngine.forms.SkinResizeBorder + 6, SkinEngine.forms.SkinResizeBorder + 1,
                      SkinEngine.forms.SkinResizeBorder + 6 + 17, SkinEngine.forms.SkinResizeBorder + 1 + 17};
    return CountNear(Back(), corner, 0x105A6A, 40);
  };
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300);
  SetWindowTextW(form(), L"");
  record().RenderPending = true;
  InvalidateRect(form(), nullptr, FALSE);
  UpdateWindow(form());
  EXPECT_GT(bustPixels(), 25);
  EXPECT_GT(rimPixels(), 20);

  FormSkinSettings s = Framed();
  s.hideIcon = true;
  Skin(WS_POPUP | WS_MINIMIZEBOX, 400, 300, s);
  SetWindowTextW(form(), L"");
  record().RenderPending = true;
  InvalidateRect(form(), nullptr, FALSE);
  UpdateWindow(form());
  EXPECT_EQ(bustPixels(), 0);
  EXPECT_EQ(rimPixels(), 0);
}

TEST_F(FormTest, StatusBarSegmentsLightenTheBarAndShowTheirText) {
  FormSkinSettings s = Framed();
  s.statusBarHeight = 20;
  s.statusBarSegments = std::vector<StatusBarSegment>{{.width = -1, .text = "status", .textColor = 0x0000FF}};
  Skin(WS_POPUP, 400, 300, s);
  const PixelBuffer p = Back();
  const gdip::Rect bar = record().StatusBarRect;
  EXPECT_GT(p.RgbAt(bar.x + 300, bar.y + 2) & 0xFF, kGround & 0xFF);
  EXPECT_GT(CountNear(p, {bar.x + 2, bar.y, bar.x + 60, bar.y + 20}, 0xFF0000, 60), 5);
  EXPECT_TRUE(record().TextDC);
}

TEST_F(FormTest, ThemeChangeRendersVisibleFormsAgain) {
  Skin(WS_POPUP, 300, 200);
  SkinSetBackgroundTheme("", {}, 0x404040, 0xC0C0C0);
  EXPECT_EQ(BackAt(150, 100), 0x404040u);
  SkinSetBackgroundTheme("", {}, 0xECECEC, 0xC0C0C0);
}

// The picture is decoded and fitted to the client once: a render of the same
// size copies the kept surface, and only a new picture, mode, base colour or
// size fits it again.
TEST_F(FormTest, BackgroundIsFittedOnceUntilPictureModeColourOrSizeChanges) {
  const int32_t modeBefore = SkinEngine.options.SkinBackgroundMode;
  const ByteSet red = EncodePng(8, 8, std::vector<uint32_t>(64, 0xFFFF0000u));
  const ByteSet green = EncodePng(8, 8, std::vector<uint32_t>(64, 0xFF00FF00u));
  SkinSetBackgroundTheme("", red, 0x404040, 0xC0C0C0, 3);
  Skin(WS_POPUP, 300, 200);
  EXPECT_EQ(BackAt(150, 100), 0xFF0000u);
  // A mark on the kept surface shows through the next render.
  SetPixel(record().Background.fitted.get(), 150, 100, RGB(0, 0, 255));
  SkinFormRender(record(), nullptr, false);
  EXPECT_EQ(BackAt(150, 100), 0x0000FFu);

  // New bytes where the old ones were are a new picture.
  SkinSetBackgroundTheme("", green, 0x404040, 0xC0C0C0, 3);
  EXPECT_EQ(BackAt(150, 100), 0x00FF00u);
  // The close glyph, decoded with its item, shows its white X over the green.
  const gdip::RectF close = record().CaptionItems.back().Bounds;
  EXPECT_GT(CountNear(Back(), {int(close.x) + 14, 4, int(close.x) + 24, 14}, 0xFFFFFF, 16), 10);
  // Centred: the 8 x 8 picture amid the base colour, then a new base colour.
  SkinSetBackgroundTheme("", green, 0x404040, 0xC0C0C0, 2);
  EXPECT_EQ(BackAt(150, 100), 0x00FF00u);
  EXPECT_EQ(BackAt(100, 100), 0x404040u);
  SkinSetBackgroundTheme("", green, 0x606060, 0xC0C0C0, 2);
  EXPECT_EQ(BackAt(100, 100), 0x606060u);

  // A new width, then a new height: stretched again over the whole client
  // (the old fit would show its blended edge there).
  SkinSetBackgroundTheme("", green, 0x404040, 0xC0C0C0, 3);
  for (const SIZE size : {SIZE{340, 200}, SIZE{340, 240}}) {
    SetWindowPos(form(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    SkinFormRender(record(), nullptr, false);
    EXPECT_EQ(BackAt(size.cx - 60, size.cy - 50), 0x00FF00u) << size.cx << " x " << size.cy;
  }
  SkinEngine.options.SkinBackgroundMode = modeBefore;
}

// The picture a form's background is drawn from: in the strip mode as wide
// as the client, one picture high, every second copy mirrored; in the other
// modes the picture itself; the form's own image before the engine's; none
// without an image.
TEST_F(FormTest, TheBackgroundPictureIsPreparedForItsMode) {
  const int32_t modeBefore = SkinEngine.options.SkinBackgroundMode;
  // Two columns: red at the left, blue at the right.
  std::vector<uint32_t> halves(4 * 3);
  for (int i = 0; i < 12; ++i) halves[size_t(i)] = i % 4 < 2 ? 0xFFFF0000u : 0xFF0000FFu;
  const ByteSet picture = EncodePng(4, 3, halves);
  SkinSetBackgroundTheme("", picture, 0x404040, 0xC0C0C0, 4);
  Skin(WS_POPUP, 300, 200);
  gdip::Bitmap strip;
  SkinLoadBackgroundImage(record(), strip);
  ASSERT_EQ(strip.GetWidth(), 300);
  EXPECT_EQ(strip.GetHeight(), 3);
  const uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu;
  const int x[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 299};
  const uint32_t expected[] = {red, red, blue, blue, blue, blue, red, red, red, blue};
  for (size_t i = 0; i < std::size(x); ++i) EXPECT_EQ(uint32_t(strip.GetPixel(x[i], 2)), expected[i]) << x[i];

  SkinSetBackgroundTheme("", picture, 0x404040, 0xC0C0C0, 3);
  gdip::Bitmap itself;
  SkinLoadBackgroundImage(record(), itself);
  EXPECT_EQ(itself.GetWidth(), 4);
  EXPECT_EQ(uint32_t(itself.GetPixel(3, 0)), blue);
  // The form's own image wins.
  record().SkinImage = EncodePng(2, 5, std::vector<uint32_t>(10, 0xFF00FF00u));
  gdip::Bitmap own;
  SkinLoadBackgroundImage(record(), own);
  EXPECT_EQ(own.GetHeight(), 5);
  EXPECT_EQ(uint32_t(own.GetPixel(1, 4)), 0xFF00FF00u);
  record().SkinImage.clear();

  SkinSetBackgroundTheme("", {}, 0x404040, 0xC0C0C0);
  gdip::Bitmap none;
  SkinLoadBackgroundImage(record(), none);
  EXPECT_EQ(none.NativeImage(), nullptr);
  SkinEngine.options.SkinBackgroundMode = modeBefore;
}

}  // namespace
}  // namespace korvath::skin::test
