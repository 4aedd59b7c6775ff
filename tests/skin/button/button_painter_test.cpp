// Every button painter in every look, probed pixel by pixel on skinned test
// windows over a flat grey background.
#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "skin/button/button_lookup.h"
#include "skin/button/button_installers.h"
#include "skin/button/check_box_painter.h"
#include "skin/button/image_button_painter.h"
#include "skin/button/image_recolor.h"
#include "skin/button/picture_button_painter.h"
#include "skin/button/radio_painter.h"
#include "skin/button/vector_button_painter.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/skin/button/button_fixture.h"
#include "tests/support/png_writer.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;
using testsupport::PixelBuffer;
using testsupport::PumpUntil;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr UINT kHot = ODS_HOTLIGHT;

// Buttons of every kind, skinned. The push button is 100 x 30, the picture
// button 80 x 60, the image button and the toggle 60 x 30.
class PainterTest : public ButtonFixture {
 protected:
  PainterTest() {
    ButtonSkinInstall(record(), form());
    CheckRadioSkinInstall(record(), form());
    Entry(picture_).Kind = ButtonKind::Picture;
    Entry(image_).Kind = ButtonKind::Image;
    Entry(toggle_).Kind = ButtonKind::ImageToggle;
    for (HWND b : {image_, toggle_}) Entry(b).NormalImage = SolidPng(20, 10, 0xFFFF0000);
    Entry(image_).HoverImage = SolidPng(20, 10, 0xFF00FF00);
    Entry(toggle_).PressedImage = SolidPng(20, 10, 0xFF0000FF);
  }
  // The push button in `state` (hot looks fade in on the button itself: they
  // are read from the window).
  PixelBuffer Push(UINT state) {
    if (!(state & kHot)) return Painted(ButtonSkinPaintVector, push_, state);
    testsupport::PumpMessages(20);  // no paint of a button's own may end the fade
    ButtonSkinPaintVector(FindButton(push_), nullptr, state, RECT{0, 0, 100, 30});
    PumpUntil([] { return SkinEngine.lists.FadeList.empty(); });
    return Shown(push_);
  }
  // Paints `button` onto its own window, as the button procedure does.
  template <class Painter>
  static void OnWindow(HWND button, Painter paint) {
    RECT client = {};
    GetClientRect(button, &client);
    korvath::platform::WindowDC dc = korvath::platform::WindowDC::Client(button);
    paint(FindButton(button), dc.get(), client);
  }
  PixelBuffer Radio(UINT state, bool checked) {
    SendMessageW(radio_, BM_SETCHECK, checked, 0);
    OnWindow(radio_, [&](const ButtonRef& b, HDC dc, const RECT& r) { RadioSkinPaint(b, dc, state, r); });
    return Shown(radio_);
  }
  PixelBuffer Check(UINT state, int checked, bool animating = false, int frame = 0) {
    SendMessageW(check_, BM_SETCHECK, WPARAM(checked), 0);
    OnWindow(check_, [&](const ButtonRef& b, HDC dc, const RECT& r) {
      CheckBoxSkinPaint(b, dc, state, r, animating, frame);
    });
    return Shown(check_);
  }
  // Glyph pictures 1 .. 8 of distinct colours, 10 x 10, for the vector look
  // of `button`.
  static uint32_t PictureColour(int n) { return 0xFF000000u | uint32_t(n * 30) << 16 | uint32_t(250 - n * 25); }
  void GivePictures(HWND button) {
    SkinButtonEntry& e = Entry(button);
    e.GlyphFromImages = true;
    for (int i = 0; i < 8; ++i) e.GlyphImages[size_t(i)] = SolidPng(10, 10, PictureColour(i + 1));
  }
  // The enabled push button's face at (10, 15), before the state layers:
  // white at alpha 160 over the background, then the white-to-grey gradient.
  static uint32_t Face() {
    const double t = 15.5 / 29;
    const int grey = int(255 - 127 * t);
    return Blend(Blend(kBackground, kWhite, 160), uint32_t(grey) * 0x010101u, int(30 + 30 * t));
  }
  static uint32_t DisabledFace() { return Blend(0xC0C0C0, kWhite, 30); }
  HWND push_ = Add(L"OK", BS_PUSHBUTTON, 20, 20, 100, 30);
  HWND picture_ = Add(L"Go", BS_PUSHBUTTON, 140, 20, 80, 60);
  HWND image_ = Add(L"", BS_PUSHBUTTON, 240, 20, 60, 30);
  HWND toggle_ = Add(L"", BS_AUTOCHECKBOX | BS_PUSHLIKE, 240, 80, 60, 30);
  HWND radio_ = Add(L"R", BS_AUTORADIOBUTTON, 20, 100, 80, 20);
  HWND check_ = Add(L"C", BS_AUTOCHECKBOX, 20, 140, 80, 20);
};

// The pixels of a rectangle for which `lean` holds.
int Count(const PixelBuffer& shown, RECT r, bool (*lean)(uint32_t)) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += lean(shown.RgbAt(x, y));
  return n;
}
// Pixels that lean to red (the effect colour of the tests).
int RedPixels(const PixelBuffer& shown, RECT r) {
  return Count(shown, r, [](uint32_t c) { return Red(c) > Green(c) + 30; });
}
// Pixels of the check box's box that lean to the tick's green.
int TickPixels(const PixelBuffer& shown) {
  return Count(shown, {0, 0, 21, 20}, [](uint32_t c) { return Green(c) > Red(c) + 50; });
}

// ---- push buttons ---------------------------------------------------------------------------

TEST_F(PainterTest, PushButtonNormalDisabledFocusedAndPressedLooks) {
  const PixelBuffer normal = Push(0);
  EXPECT_TRUE(ColorNear(normal.RgbAt(10, 15), Face(), 6)) << std::hex << normal.RgbAt(10, 15);
  EXPECT_LT(Green(normal.RgbAt(0, 15)), Green(normal.RgbAt(10, 15)) - 20);  // the dark outline
  EXPECT_LT(Darkest(normal, 35, 5, 65, 27), 60);                           // a black caption
  EXPECT_LT(std::abs(ThemeLean(normal.RgbAt(1, 15))), 6);
  // Disabled: light grey washed white, whatever lies beneath; a grey caption.
  const PixelBuffer disabled = Push(ODS_DISABLED | ODS_FOCUS | ODS_SELECTED);
  EXPECT_TRUE(ColorNear(disabled.RgbAt(10, 15), DisabledFace(), 6));
  EXPECT_NEAR(Darkest(disabled, 35, 5, 65, 27), 0x60, 16);
  EXPECT_LT(std::abs(ThemeLean(disabled.RgbAt(1, 15))), 6);
  // Focused: a theme-coloured ring inside the outline, the face unchanged.
  const PixelBuffer focused = Push(ODS_FOCUS);
  EXPECT_GT(ThemeLean(focused.RgbAt(1, 15)), 15);
  EXPECT_TRUE(ColorNear(focused.RgbAt(10, 15), Face(), 6));
  // Pressed: the theme overlay inside, the caption where it was.
  const PixelBuffer pressed = Push(ODS_SELECTED);
  EXPECT_GT(ThemeLean(pressed.RgbAt(10, 15)), ThemeLean(normal.RgbAt(10, 15)) + 6);
  EXPECT_NEAR(Darkest(pressed, 35, 5, 65, 27), Darkest(normal, 35, 5, 65, 27), 3);
}

TEST_F(PainterTest, TheHotLookFadesInOverThePlainOneAndHidesTheFocusRing) {
  Push(0);
  const PixelBuffer hot = Push(kHot);
  EXPECT_GT(ThemeLean(hot.RgbAt(10, 15)), 12) << std::hex << hot.RgbAt(10, 15);
  EXPECT_TRUE(ColorNear(Push(kHot | ODS_FOCUS).RgbAt(1, 15), hot.RgbAt(1, 15), 3));
  EXPECT_GT(ThemeLean(Push(kHot | ODS_SELECTED).RgbAt(10, 15)), ThemeLean(hot.RgbAt(10, 15)));
  // Disabled but hot: the disabled look, faded in.
  EXPECT_TRUE(ColorNear(Push(kHot | ODS_DISABLED).RgbAt(10, 15), DisabledFace(), 8));
}

TEST_F(PainterTest, ADcThatCannotDrawIsReplacedByTheButtonsOwnAndGivenBack) {
  Shown(push_);  // its own first paint is done
  const Held held;
  ButtonSkinPaintVector(FindButton(push_), nullptr, ODS_DISABLED, RECT{0, 0, 100, 30});
  const PixelBuffer shown = Shown(push_);
  EXPECT_TRUE(ColorNear(shown.RgbAt(10, 15), DisabledFace(), 6));
  EXPECT_NEAR(Darkest(shown, 35, 5, 65, 27), 0x60, 16);  // the disabled caption
  EXPECT_TRUE(held.Same());
}

TEST_F(PainterTest, AnEffectColourGivesTheCaptionAGlow) {
  EXPECT_EQ(RedPixels(Push(0), {0, 0, 100, 30}), 0);
  for (HWND b : {push_, radio_, check_}) Entry(b).CaptionEffectColor = 0x0000FF;
  const PixelBuffer push = Push(0);
  EXPECT_GT(RedPixels(push, {30, 3, 70, 28}), 10);
  EXPECT_EQ(RedPixels(push, {0, 0, 25, 30}), 0);
  EXPECT_GT(RedPixels(Radio(0, false), {15, 0, 40, 20}), 10);
  EXPECT_GT(RedPixels(Check(0, 0), {15, 0, 40, 20}), 10);
  SetSkinProp(check_, prop::Xzk_dhxg, 0);  // the vector box
  const PixelBuffer vectorBox = Check(0, 0);
  EXPECT_GT(RedPixels(vectorBox, {13, 0, 40, 20}), 10);
  EXPECT_EQ(RedPixels(vectorBox, {0, 0, 12, 20}), 0);
}

// A 20 x 20 skin picture of one colour (its nine pieces all alike).
std::vector<uint8_t> PicturePng(uint32_t argb) {
  std::vector<uint32_t> grid(400, argb);
  for (int i = 0; i < 400; ++i)
    if (i % 20 == 5 || i % 20 == 14 || i / 20 == 5 || i / 20 == 14) grid[size_t(i)] = 0xFFFF00FF;
  return testsupport::EncodePng(20, 20, grid);
}

TEST_F(PainterTest, APictureGivesTheStateImagesAndTheButtonsOwnWinsOverTheForms) {
  const uint32_t colours[4] = {0xFF2040C0, 0xFF20C040, 0xFFC02040, 0xFF606060};
  record().Picture.LoadStates(PicturePng(0xFF101010));
  record().HasPicture = true;
  SkinButtonEntry& entry = Entry(push_);
  entry.Picture.LoadStates(PicturePng(colours[0]), PicturePng(colours[1]), PicturePng(colours[2]),
                           PicturePng(colours[3]));
  entry.HasPicture = true;
  const UINT states[4] = {0, kHot, ODS_FOCUS, ODS_DISABLED};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(ColorNear(Push(states[i]).RgbAt(12, 15), colours[i] & 0xFFFFFF, 4));
  }
  entry.HasPicture = false;
  EXPECT_TRUE(ColorNear(Push(0).RgbAt(12, 15), 0x101010, 4));
}

// ---- radio buttons ----------------------------------------------------------------------------

TEST_F(PainterTest, RadioLooks) {
  const PixelBuffer plain = Radio(0, false);
  EXPECT_GT(Green(plain.RgbAt(8, 10)), 150);  // the white body
  EXPECT_LT(std::abs(ThemeLean(plain.RgbAt(6, 10))), 8);
  EXPECT_EQ(plain.RgbAt(8, 2), kBackground);  // no halo
  EXPECT_LT(Darkest(plain, 17, 2, 40, 18), 60);  // a black caption
  const PixelBuffer checked = Radio(0, true);
  EXPECT_GT(ThemeLean(checked.RgbAt(6, 10)), 25) << std::hex << checked.RgbAt(6, 10);  // the dot's rim
  const PixelBuffer hot = Radio(kHot | ODS_SELECTED, false);
  EXPECT_GT(ThemeLean(hot.RgbAt(8, 2)), 10) << std::hex << hot.RgbAt(8, 2);  // the halo ring
  const PixelBuffer disabled = Radio(ODS_DISABLED | kHot, true);
  EXPECT_EQ(disabled.RgbAt(8, 2), kBackground);  // disabled wins over hot
  EXPECT_LT(std::abs(ThemeLean(disabled.RgbAt(6, 10))), 8);
  EXPECT_NEAR(Darkest(disabled, 17, 2, 40, 18), 0x60, 16);
  // Focus changes nothing; a press without hover neither.
  EXPECT_EQ(Radio(ODS_FOCUS | ODS_SELECTED, true).pixels, checked.pixels);
}

TEST_F(PainterTest, RadioPicturesByLook) {
  GivePictures(radio_);
  const struct {
    UINT state;
    bool checked;
    int picture;
  } looks[] = {{0, false, 1}, {0, true, 3},           {kHot, false, 2},         {kHot, true, 4},
               {kHot | ODS_SELECTED, false, 6},      {kHot | ODS_SELECTED, true, 5},
               {ODS_DISABLED, false, 8},             {ODS_DISABLED | kHot, true, 7}};
  for (const auto& look : looks) {
    SCOPED_TRACE(look.picture);
    EXPECT_EQ(Radio(look.state, look.checked).RgbAt(5, 10), PictureColour(look.picture) & 0xFFFFFF);
  }
}

// ---- check boxes ------------------------------------------------------------------------------

TEST_F(PainterTest, CheckBoxStripLooksAndAnimationFrames) {
  const uint32_t plainBox = Blend(kBackground, 0xE9E9E9, 191);
  EXPECT_EQ(Check(0, 0).RgbAt(5, 6), plainBox);
  EXPECT_EQ(Check(ODS_SELECTED | ODS_FOCUS, 0).RgbAt(5, 6), plainBox);
  EXPECT_EQ(Check(kHot | ODS_SELECTED, 0).RgbAt(5, 6), 0xE6EAEDu);
  EXPECT_EQ(Check(ODS_DISABLED | kHot, 0).RgbAt(5, 6), 0xD0D8DDu);
  EXPECT_EQ(TickPixels(Check(0, BST_UNCHECKED)), 0);
  const LONG style = GetWindowLongW(check_, GWL_STYLE);
  SetWindowLongW(check_, GWL_STYLE, (style & ~0xF) | BS_AUTO3STATE);  // so it can be indeterminate
  EXPECT_EQ(TickPixels(Check(0, BST_INDETERMINATE)), 0);
  SetWindowLongW(check_, GWL_STYLE, style);
  const int small = TickPixels(Check(0, BST_CHECKED));
  EXPECT_GT(small, 8);
  // Frames: the large tick, the small one, the small one shrunk (more when
  // unchecked), and none; the box is the plain one whatever the state.
  EXPECT_GT(TickPixels(Check(kHot, 0, true, 1)), small);
  EXPECT_EQ(TickPixels(Check(0, 0, true, 3)), small);
  const int popIn = TickPixels(Check(0, 0, true, 4));
  const int popOut = TickPixels(Check(0, 1, true, 4));
  EXPECT_GT(popIn, 0);
  EXPECT_LT(popIn, popOut);
  EXPECT_LT(popOut, small);
  EXPECT_EQ(Check(kHot, 1, true, 0).RgbAt(5, 6), plainBox);
  EXPECT_EQ(TickPixels(Check(0, 1, true, 0)), 0);
}

// The box stands 2 pixels from the check box's left edge in both looks:
// the first two columns show the background down the box's height, the
// third the box.
TEST_F(PainterTest, TheBoxStandsTwoPixelsInFromTheLeft) {
  for (const int fromImages : {1, 0}) {
    SCOPED_TRACE(fromImages);
    SetSkinProp(check_, prop::Xzk_dhxg, fromImages);
    const PixelBuffer look = Check(0, 0);
    for (int y = 5; y < 15; ++y) {
      EXPECT_EQ(look.RgbAt(0, y), kBackground) << y;
      EXPECT_EQ(look.RgbAt(1, y), kBackground) << y;
      EXPECT_GT(std::abs(Green(look.RgbAt(2, y)) - Green(kBackground)), 8) << y;
      if (!fromImages) {
        EXPECT_LT(Green(look.RgbAt(2, y)), Green(kBackground) - 20) << y;  // the dark frame
      }
    }
  }
}

TEST_F(PainterTest, APressPopsTheTickInOrOutBeforeTheCheckChanges) {
  const int small = TickPixels(Check(0, BST_CHECKED));
  Check(0, BST_UNCHECKED);
  for (const int lastFrameTicks : {small, 0}) {  // popping in, then out
    SendMessageW(check_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(TickPixels(Shown(check_)), lastFrameTicks);
    SendMessageW(check_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  EXPECT_EQ(SendMessageW(check_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(PainterTest, CheckBoxVectorLookWithTheThemedTick) {
  SetSkinProp(check_, prop::Xzk_dhxg, 0);
  const PixelBuffer plain = Check(0, 0);
  EXPECT_GT(Green(plain.RgbAt(8, 10)), 200);  // the white face
  EXPECT_EQ(plain.RgbAt(8, 1), kBackground);
  EXPECT_LT(Darkest(plain, 16, 2, 40, 18), 60);  // a black caption
  EXPECT_GT(ThemeLean(Check(kHot, 0).RgbAt(8, 2)), 10);  // the glow around the box
  EXPECT_GT(Count(Check(0, 1), {2, 4, 15, 16}, [](uint32_t c) { return ThemeLean(c) > 20; }), 10);
}

// The vector look with glyph pictures: each look of the check box draws its
// own picture, seen left of the tick that a hot checked box draws over it.
// A disabled box is neither hot nor pressed.
TEST_F(PainterTest, CheckBoxPicturesByLook) {
  SetSkinProp(check_, prop::Xzk_dhxg, 0);
  GivePictures(check_);
  const struct {
    UINT state;
    int checked;
    int picture;
  } looks[] = {{0, BST_UNCHECKED, 1},
               {0, BST_CHECKED, 3},
               {kHot, BST_UNCHECKED, 2},
               {kHot, BST_CHECKED, 4},
               {kHot | ODS_SELECTED, BST_UNCHECKED, 6},
               {kHot | ODS_SELECTED, BST_CHECKED, 5},
               {ODS_DISABLED | kHot | ODS_SELECTED, BST_UNCHECKED, 8},
               {ODS_DISABLED | kHot | ODS_SELECTED, BST_CHECKED, 7}};
  for (const auto& look : looks) {
    SCOPED_TRACE(look.picture);
    EXPECT_EQ(Check(look.state, look.checked).RgbAt(1, 10), PictureColour(look.picture) & 0xFFFFFF);
  }
}

// ---- the themed tick ----------------------------------------------------------------------------

TEST(RecolourTest, TheTickInTheThemeColour) {
  const COLORREF saved = SkinEngine.options.SkinThemeColor;
  SkinEngine.options.SkinThemeColor = 0xDDCA22;
  PixelBuffer tick = DecodeImage(RecolorImageBytes());
  ASSERT_EQ(tick.width, 13);
  ASSERT_EQ(tick.height, 12);
  EXPECT_EQ(tick.At(2, 5), 0x9F0B6641u);   // RGB(0x53, 0x82, 0x4B): alpha 159, scaled channels
  EXPECT_EQ(tick.At(11, 1), 0x0F1FCAC8u);  // RGB(0xEC, 0xFF, 0xE7) at alpha 0: faintly visible
  EXPECT_EQ(tick.At(0, 0), 0x00FFFFFFu);   // pure white stays as it is
  SkinEngine.options.SkinThemeColor = 0xFFFFFF;
  tick = DecodeImage(RecolorImageBytes());
  EXPECT_EQ(tick.At(2, 5), 0x9F53824Bu);
  SkinEngine.options.SkinThemeColor = saved;
}

// ---- image buttons and toggles -------------------------------------------------------------------

TEST_F(PainterTest, ImageButtonStateImagesAndTheFrameOfAStateWithoutOne) {
  const PixelBuffer normal = Painted(ButtonSkinPaintImage, image_, 0);
  EXPECT_EQ(normal.RgbAt(5, 5), 0xFF0000u);
  EXPECT_EQ(normal.RgbAt(1, 5), kBackground);  // no frame
  EXPECT_EQ(normal.RgbAt(30, 20), kBackground);
  EXPECT_EQ(Painted(ButtonSkinPaintImage, image_, kHot | ODS_SELECTED).RgbAt(5, 5), 0x00FF00u);
  const PixelBuffer pressed = Painted(ButtonSkinPaintImage, image_, ODS_SELECTED);
  EXPECT_EQ(pressed.RgbAt(5, 5), 0xFF0000u);  // the normal image in the pressed frame
  EXPECT_NE(pressed.RgbAt(1, 2), kBackground);
  EXPECT_EQ(pressed.RgbAt(30, 20), kBackground);
  const PixelBuffer disabled = Painted(ButtonSkinPaintImage, image_, ODS_DISABLED | kHot);
  EXPECT_EQ(disabled.RgbAt(5, 5), 0xFF0000u);
  EXPECT_NE(disabled.RgbAt(1, 2), pressed.RgbAt(1, 2));
  Entry(image_).StretchImage = true;
  EXPECT_EQ(Painted(ButtonSkinPaintImage, image_, 0).RgbAt(50, 25), 0xFF0000u);
}

// An image button shows its hover picture as soon as the mouse comes onto
// it, and its normal one again as soon as the mouse leaves.
TEST_F(PainterTest, AnImageButtonShowsItsHoverPictureWhileTheMouseIsOnIt) {
  EXPECT_EQ(Shown(image_).RgbAt(5, 5), 0xFF0000u);
  testsupport::MouseMoveTo(image_, 5, 5);
  ASSERT_TRUE(PumpUntil([&] { return record().HotControl == GetSkinProp(image_, prop::Hw_lbID); }));
  EXPECT_EQ(Shown(image_).RgbAt(5, 5), 0x00FF00u);
  testsupport::MouseMoveTo(form(), 300, 200);
  ASSERT_TRUE(PumpUntil([&] { return record().PrevHotControl == 0; }));
  EXPECT_EQ(Shown(image_).RgbAt(5, 5), 0xFF0000u);
}

TEST_F(PainterTest, ATogglesFaceFollowsItsCheckState) {
  EXPECT_EQ(Shown(toggle_).RgbAt(5, 5), 0xFF0000u);
  EXPECT_EQ(Shown(toggle_).RgbAt(40, 20), kBackground);
  SendMessageW(toggle_, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Shown(toggle_).RgbAt(5, 5), 0x0000FFu);
  SendMessageW(toggle_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // hover keeps the look
  EXPECT_EQ(Shown(toggle_).RgbAt(5, 5), 0x0000FFu);
  OnWindow(toggle_, [](const ButtonRef& b, HDC dc, const RECT& r) { ToggleSkinPaintImage(b, dc, ODS_DISABLED, r); });
  const PixelBuffer washed = Shown(toggle_);
  EXPECT_TRUE(ColorNear(washed.RgbAt(5, 5), Blend(0x0000FF, 0xC0C0C0, 120), 2));
  EXPECT_TRUE(ColorNear(washed.RgbAt(40, 20), Blend(kBackground, 0xC0C0C0, 120), 2));
  SetWindowLongW(toggle_, GWL_STYLE, (GetWindowLongW(toggle_, GWL_STYLE) & ~0xF) | BS_AUTO3STATE);
  SendMessageW(toggle_, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Shown(toggle_).RgbAt(5, 5), 0xFF0000u);
}

// Asked for its client through WM_PRINTCLIENT (a parent's picture, an
// animation's snapshot), every kind of button gives the look the screen
// shows, not the native control's.
TEST_F(PainterTest, PrintingTheClientGivesWhatTheScreenShows) {
  SendMessageW(radio_, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(toggle_, BM_SETCHECK, BST_CHECKED, 0);
  EnableWindow(check_, FALSE);
  const std::pair<const char*, HWND> buttons[] = {{"push", push_},   {"picture", picture_}, {"image", image_},
                                                   {"toggle", toggle_}, {"radio", radio_},     {"check", check_}};
  for (const auto& [name, button] : buttons) {
    const PixelBuffer shown = Shown(button);
    const PixelBuffer printed = testsupport::PrintClient(button);
    ASSERT_FALSE(shown.Empty());
    EXPECT_TRUE(testsupport::SameRgb(printed, shown))
        << name << ": shown " << std::hex << shown.RgbAt(5, 5) << ", printed " << printed.RgbAt(5, 5);
  }
}

// Every look a painter shows also goes into the owner's child layer, at the
// button's place there, for whatever is painted over the button later.
TEST_F(PainterTest, EveryLookGoesIntoTheOwnersChildLayerAtTheButtonsPlace) {
  using Painter = void (*)(const ButtonRef&, HDC, UINT, const RECT&);
  const Painter check = [](const ButtonRef& b, HDC dc, UINT state, const RECT& r) {
    CheckBoxSkinPaint(b, dc, state, r);
  };
  const struct {
    const char* name;
    HWND button;
    Painter painter;
  } looks[] = {{"push", push_, ButtonSkinPaintVector},    {"picture", picture_, ButtonSkinPaint},
               {"image", image_, ButtonSkinPaintImage},   {"toggle", toggle_, ToggleSkinPaintImage},
               {"radio", radio_, RadioSkinPaint},         {"check", check_, check}};
  HDC layer = record().ChildBackDC.get();
  for (const auto& [name, button, painter] : looks) {
    SCOPED_TRACE(name);
    FillPattern(layer, kFormWidth, kFormHeight, nullptr, 0x123456);
    const PixelBuffer painted = Painted(painter, button, ODS_SELECTED);
    const RECT place = SkinChildBackgroundRect(record(), button);
    const PixelBuffer kept = Pixels(layer, kFormWidth, kFormHeight);
    for (int y = 0; y < painted.height; ++y)
      for (int x = 0; x < painted.width; ++x)
        ASSERT_EQ(kept.RgbAt(place.left + x, place.top + y), painted.RgbAt(x, y)) << x << ", " << y;
  }
}

// ---- picture buttons -----------------------------------------------------------------------------

TEST_F(PainterTest, PictureButtonFlatFacesHighlightAndImageLayouts) {
  const auto paint = [&] { return Painted(ButtonSkinPaint, picture_, 0); };
  // No frame: the normal look is the background and the caption.
  EXPECT_EQ(paint().RgbAt(10, 30), kBackground);
  const PixelBuffer hot = Painted(ButtonSkinPaint, picture_, kHot);
  EXPECT_GT(Green(hot.RgbAt(40, 57)), Green(hot.RgbAt(4, 57)) + 40);  // the highlight line's middle
  Entry(picture_).ShowFrame = true;
  EXPECT_LT(Green(paint().RgbAt(0, 30)), Green(kBackground));  // the outer outline
  // Image above the caption: a 36-pixel square from y = 3.
  Entry(picture_).NormalImage = SolidPng(36, 36, 0xFFFF0000);
  Entry(picture_).ShowFrame = false;
  const PixelBuffer above = paint();
  EXPECT_EQ(above.RgbAt(23, 5), 0xFF0000u);
  EXPECT_EQ(above.RgbAt(21, 5), kBackground);
  EXPECT_EQ(above.RgbAt(40, 38), 0xFF0000u);
  EXPECT_EQ(above.RgbAt(40, 2), kBackground);
  // Beside the caption, a picture that does not decode takes no room.
  Entry(picture_).ImageBesideCaption = true;
  Entry(picture_).NormalImage = {0x89, 'P', 'N', 'G', 1, 2, 3};
  const PixelBuffer beside = paint();
  EXPECT_LT(Darkest(beside, 5, 10, 30, 50), 60);
  EXPECT_EQ(beside.RgbAt(2, 30), kBackground);
  // Even in a button too low for any image.
  MoveWindow(picture_, 140, 20, 80, 7, TRUE);
  EXPECT_LT(Darkest(paint(), 5, 0, 30, 7), 100);
}

}  // namespace
