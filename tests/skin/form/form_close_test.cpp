// How a skinned form leaves the screen: the close effect chosen at attach,
// played frame by frame once the close is agreed, with the drop shadow
// following; nothing on a refused close; the window given back when its own
// procedure keeps it; and GDI+ shut down once after the last window when a
// form is sent WM_QUIT.
#include <vector>

#include "skin/core/engine_startup.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/engine/attach.h"
#include "skin/shadow/drop_shadow.h"
#include "tests/skin/form/form_fixture.h"

namespace korvath::skin::test {
namespace {

constexpr int kDepth = 10;  // of the test forms' shadows

int32_t CALLBACK Refuse() { return 0; }
int32_t CALLBACK Agree() { return 1; }

// A previous procedure that keeps its window on WM_CLOSE.
LRESULT CALLBACK KeepOnClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

// One picture pushed onto the watched form, with where the form and its
// shadow stood right after the push.
struct Pushed {
  RECT frame;
  int32_t alpha;
  RECT window;
  RECT shadow;
};

struct Watch {
  HWND form = nullptr;
  HWND shadow = nullptr;
  std::vector<Pushed> frames;
};
Watch watch;

void OnFrame(const LayeredFrame& f) {
  if (f.window != watch.form) return;
  Pushed p{f.bounds, f.alpha, {}, {}};
  GetWindowRect(f.window, &p.window);
  GetWindowRect(watch.shadow, &p.shadow);
  watch.frames.push_back(p);
}

// Watches the frames pushed onto one form while it lives.
class Watching {
 public:
  Watching(HWND form, HWND shadow) {
    watch = Watch{form, shadow, {}};
    SkinWatchLayeredFrames(&OnFrame);
  }
  ~Watching() { SkinWatchLayeredFrames(nullptr); }
  const std::vector<Pushed>& frames() const { return watch.frames; }
};

RECT Grown(RECT r, int by) {
  InflateRect(&r, by, by);
  return r;
}

class FormCloseTest : public FormTest {
 protected:
  // A 305 x 207 form at (100, 100) with the given close effect and a drop
  // shadow kDepth deep.
  HWND SkinWithEffect(int32_t effect) {
    FormSkinSettings settings = Framed();
    settings.closeEffect = effect;
    Skin(WS_POPUP, 305, 207, settings);
    SetWindowPos(form(), nullptr, 100, 100, 305, 207, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(ShadowAttach(form(), {.depth = kDepth}));
    PumpMessages();
    return form();
  }
  HWND shadow() { return record().ShadowWindow; }
};

// The frame rectangle of frame i (1 to 10) of each effect on a 305 x 207
// form at (100, 100): steps of a tenth (30, 20), or of 2 % (6, 4) for the
// pulse, which shrinks for five frames and grows back for five.
struct EffectRule {
  int32_t effect;
  int x, y, w, h;  // change per frame, in steps
  bool pulse = false;
};

RECT Expected(const EffectRule& rule, int i) {
  const int k = rule.pulse && i > 5 ? 10 - i : i;
  const int x = 100 + rule.x * k, y = 100 + rule.y * k;
  return RECT{x, y, x + 305 + rule.w * k, y + 207 + rule.h * k};
}

int ExpectedAlpha(int32_t effect, int i) { return effect == 3 && i == 10 ? 0 : 255 - 25 * i; }

// Each effect's ten frames, pushed once the close is agreed, move, size and
// fade as the effect's rule says; the window stands where each frame put it
// and its shadow is grown around it; then window and shadow are gone.
TEST_F(FormCloseTest, EachCloseEffectPlaysItsFramesWithTheShadowFollowing) {
  const EffectRule rules[] = {
      {1, 15, 10, -30, -20},   // to the centre
      {2, 3, 2, -6, -4, true},  // pulse
      {3, 0, 0, 0, 0},          // fades where it stands
      {4, 0, 10, 0, -20},       // to the horizontal centre line
      {5, 0, 0, 0, -20},        // upwards
      {6, 0, 20, 0, -20},       // downwards
      {7, 0, 0, -30, 0},        // leftwards
      {8, 30, 0, -30, 0},       // rightwards
      {9, 15, 0, -30, 0},       // to the vertical centre line
  };
  for (const EffectRule& rule : rules) {
    SCOPED_TRACE(rule.effect);
    SkinWithEffect(rule.effect);
    HWND closing = form();
    HWND shade = shadow();
    ASSERT_TRUE(IsWindowVisible(shade));
    record().CloseQueryHandler = SkinRoutine(&Agree);
    std::vector<Pushed> frames;
    {
      Watching watching(closing, shade);
      SendMessageW(closing, WM_CLOSE, 0, 0);
      ASSERT_FALSE(IsWindow(closing));
      frames = watching.frames();
    }
    EXPECT_FALSE(IsWindow(shade));
    ASSERT_EQ(frames.size(), 10u);
    for (int i = 1; i <= 10; ++i) {
      SCOPED_TRACE(i);
      const Pushed& p = frames[size_t(i) - 1];
      EXPECT_EQ(p.frame, Expected(rule, i));
      EXPECT_EQ(p.alpha, ExpectedAlpha(rule.effect, i));
      EXPECT_EQ(p.window, p.frame);
      EXPECT_EQ(p.shadow, Grown(p.frame, kDepth));
    }
  }
}

// A refused close plays nothing and leaves form and shadow as they were; a
// form attached without a close effect (the tool's own window) closes at
// once, without frames.
TEST_F(FormCloseTest, ARefusedCloseOrNoEffectPlaysNothing) {
  SkinWithEffect(4);
  HWND shade = shadow();
  RECT before{};
  GetWindowRect(form(), &before);
  record().CloseQueryHandler = SkinRoutine(&Refuse);
  {
    Watching watching(form(), shade);
    EXPECT_EQ(SendMessageW(form(), WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(watching.frames().empty());
  }
  ASSERT_TRUE(IsWindow(form()));
  RECT after{};
  GetWindowRect(form(), &after);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(GetWindowLongW(form(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(IsWindowVisible(form()));
  EXPECT_TRUE(IsWindowVisible(shade));

  Skin(WS_POPUP, 305, 207);
  EXPECT_EQ(record().CloseEffect, 0);
  HWND plain = form();
  Watching watching(plain, nullptr);
  SendMessageW(plain, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(plain));
  EXPECT_TRUE(watching.frames().empty());
}

// A close agreed by the skin but kept by the form's own procedure gives the
// window back: not layered, at its place and size, painted again; after an
// effect that fades where it stands as after one that collapses it.
TEST_F(FormCloseTest, AFormItsOwnProcedureKeepsIsGivenBackAsItWas) {
  for (const int32_t effect : {3, 5}) {
    SCOPED_TRACE(effect);
    FormSkinSettings settings = Framed();
    settings.closeEffect = effect;
    Skin(WS_POPUP, 305, 207, settings, &KeepOnClose);
    RECT before{};
    GetWindowRect(form(), &before);
    {
      Watching watching(form(), nullptr);
      SendMessageW(form(), WM_CLOSE, 0, 0);
      EXPECT_EQ(watching.frames().size(), 10u);
    }
    ASSERT_TRUE(IsWindow(form()));
    RECT after{};
    GetWindowRect(form(), &after);
    ASSERT_EQ(after, before);
    EXPECT_FALSE(GetWindowLongW(form(), GWL_EXSTYLE) & WS_EX_LAYERED);
    // Painted again: the screen shows the back buffer.
    EXPECT_TRUE(PumpUntil([&] { return CaptureClient(form()).RgbAt(150, 150) == BackAt(150, 150); }, 2000));
  }
}

// WM_QUIT sent to a form (a message loop never dispatches it) leaves GDI+
// running while any skinned window lives, shuts it down once when the last
// one goes, and a window skinned afterwards starts it again and draws.
TEST_F(FormCloseTest, AQuitMessageShutsGdiplusDownOnceAfterTheLastWindow) {
  Skin(WS_POPUP | WS_MINIMIZEBOX, 300, 200);
  TestWindow second(200, 100, L"second", WS_POPUP);
  FormSkinAttach(second.hwnd());
  SendMessageW(form(), WM_QUIT, 0, 0);
  SendMessageW(form(), WM_QUIT, 0, 0);
  EXPECT_TRUE(GdiplusToken.ok());
  SkinGdiplusShutdown(GdiplusToken.value() + 1);  // not the engine's token
  EXPECT_TRUE(GdiplusToken.ok());
  window_.reset();
  PumpMessages();
  EXPECT_TRUE(GdiplusToken.ok());  // the second form still lives
  DestroyWindow(second.hwnd());
  PumpMessages();
  EXPECT_TRUE(SkinEngine.lists.SkinWindowList.empty());
  EXPECT_FALSE(GdiplusToken.ok());
  SkinGdiplusShutdown();  // nothing left to shut down
  EXPECT_FALSE(GdiplusToken.ok());

  // A later form finds GDI+ again and draws its caption glyphs: the close
  // item's white X.
  Skin(WS_POPUP | WS_MINIMIZEBOX, 300, 200);
  EXPECT_TRUE(GdiplusToken.ok());
  const gdip::RectF close = record().CaptionItems[1].Bounds;
  const PixelBuffer item = CaptureDC(record().BackDC.get(), int(close.x), int(close.y), int(close.width),
                                     int(close.height));
  int white = 0;
  for (int y = 0; y < item.height; ++y)
    for (int x = 0; x < item.width; ++x) white += ColorNear(item.RgbAt(x, y), 0xFFFFFF, 8);
  EXPECT_GT(white, 10);
  // Once: without a new WM_QUIT its removal keeps GDI+ running.
  window_.reset();
  PumpMessages();
  EXPECT_TRUE(GdiplusToken.ok());
}

}  // namespace
}  // namespace korvath::skin::test
