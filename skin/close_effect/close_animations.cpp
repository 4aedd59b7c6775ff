#include "skin/close_effect/close_animations.h"

#include "skin/close_effect/layered_painting.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "skin/shadow/drop_shadow.h"

namespace korvath::skin {

namespace {

constexpr int kFrames = 10;

// The frame rectangle in screen pixels; every value truncated toward zero
// each time it is stored.
struct FrameRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
};

int32_t Trunc(double value) { return static_cast<int32_t>(value); }

// How one member of the family moves its rectangle, pauses and fades.
struct CloseAnimation {
  double stepShare;                              // dx = trunc(w * share) (0.1 or 0.02)
  void (*advance)(FrameRect&, int32_t dx, int32_t dy, int frame);
  int32_t (*pause)(int frame, int32_t& state);   // milliseconds after the frame
  int32_t (*alpha)(int frame);
  bool clearsLayered;                            // removes WS_EX_LAYERED before capturing
};

// Moves the edges by factors of the step: x += fx * dx, y += fy * dy,
// and shrinks width and height when asked.
template <int kFxTimes2, int kFyTimes2, bool kShrinkW, bool kShrinkH>
void Collapse(FrameRect& r, int32_t dx, int32_t dy, int) {
  if (kFxTimes2) r.x = Trunc(r.x + dx * (kFxTimes2 / 2.0));
  if (kFyTimes2) r.y = Trunc(r.y + dy * (kFyTimes2 / 2.0));
  if (kShrinkW) r.w = Trunc(r.w - double(dx));
  if (kShrinkH) r.h = Trunc(r.h - double(dy));
}

// Five frames shrinking about the centre, five growing back.
void Pulse(FrameRect& r, int32_t dx, int32_t dy, int frame) {
  const double sign = frame <= 5 ? 1.0 : -1.0;
  r.x = Trunc(r.x + sign * dx / 2.0);
  r.y = Trunc(r.y + sign * dy / 2.0);
  r.w = Trunc(r.w - sign * dx);
  r.h = Trunc(r.h - sign * dy);
}

void Stay(FrameRect&, int32_t, int32_t, int) {}

int32_t PauseTwentyMinus(int frame, int32_t&) { return Trunc(20.0 - frame); }
int32_t PauseThirtyMinusTwice(int frame, int32_t&) { return Trunc(30.0 - 2.0 * frame); }
// 77, 71, 62, 50, 35, 17, then 1 ms.
int32_t PauseShrinking(int frame, int32_t& s) {
  s = Trunc(s - 3.0 * frame);
  if (s <= 0) s = 1;
  return s;
}

int32_t FadeBy25(int frame) { return 255 - 25 * frame; }
int32_t FadeBy25ToNothing(int frame) { return frame == kFrames ? 0 : 255 - 25 * frame; }

constexpr CloseAnimation kShrink{0.1, Collapse<1, 1, true, true>, PauseTwentyMinus, FadeBy25, true};
constexpr CloseAnimation kPulse{0.02, Pulse, PauseThirtyMinusTwice, FadeBy25, true};
constexpr CloseAnimation kFade{0.1, Stay, PauseShrinking, FadeBy25ToNothing, false};
constexpr CloseAnimation kToHorizontalLine{0.1, Collapse<0, 1, false, true>, PauseTwentyMinus, FadeBy25, true};
constexpr CloseAnimation kUpwards{0.1, Collapse<0, 0, false, true>, PauseTwentyMinus, FadeBy25, true};
constexpr CloseAnimation kDownwards{0.1, Collapse<0, 2, false, true>, PauseTwentyMinus, FadeBy25, true};
constexpr CloseAnimation kLeftwards{0.1, Collapse<0, 0, true, false>, PauseTwentyMinus, FadeBy25, true};
constexpr CloseAnimation kRightwards{0.1, Collapse<2, 0, true, false>, PauseTwentyMinus, FadeBy25, true};
constexpr CloseAnimation kToVerticalLine{0.1, Collapse<1, 0, true, false>, PauseTwentyMinus, FadeBy25, true};

void Play(HWND window, const CloseAnimation& animation, bool ensureLayered = true,
          bool composeLayers = false) {
  // The window's picture, taken while it still shows it (or composed from
  // its companion layers).
  SkinMemoryDc snapshot(composeLayers ? SkinComposeLayers(window) : SkinWindowSnapshot(window));
  if (animation.clearsLayered && !composeLayers) SkinClearLayeredStyle(window);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  FrameRect r{bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
  const int32_t w0 = r.w;
  const int32_t h0 = r.h;
  // Frames are pushed at up to the window's full size, so the buffer has it
  // (frame included), not only the client area's.
  SkinMemoryDc frame = SkinMemoryDc::Create(w0, h0);
  const int32_t dx = animation.stepShare == 0.1 ? Trunc(w0 / 10.0) : Trunc(w0 * animation.stepShare);
  const int32_t dy = animation.stepShare == 0.1 ? Trunc(h0 / 10.0) : Trunc(h0 * animation.stepShare);
  if (ensureLayered) SkinEnsureLayered(window);
  SetStretchBltMode(frame.get(), COLORONCOLOR);
  int32_t pauseState = 80;
  for (int i = 1; i <= kFrames; ++i) {
    animation.advance(r, dx, dy, i);
    const int32_t alpha = animation.alpha(i);
    const int32_t pause = animation.pause(i, pauseState);
    StretchBlt(frame.get(), 0, 0, r.w, r.h, snapshot.get(), 0, 0, w0, h0, SRCCOPY);
    // A visible shadow keeps to the frame until the window goes. The frame
    // before moved the window, which its program's procedure saw: its record
    // is found anew.
    if (SkinWindowRecord* record = SkinRecordOfWindow(window))
      ShadowWindowFollow(*record, false, RECT{r.x, r.y, r.x + r.w, r.y + r.h});
    SkinUpdateLayered(window, {.sourceDc = frame.get(), .alpha = alpha, .x = r.x, .y = r.y, .width = r.w,
                               .height = r.h});
    Sleep(static_cast<DWORD>(pause));
  }
}

}  // namespace

void SkinAnimateEffect1(HWND window) {
  // A window that composes its picture from companion layers shows that
  // composition instead of a capture.
  Play(window, kShrink, true, GetSkinProp(window, prop::CK_Fcck) == 1);
}
void SkinAnimateEffect2(HWND window) { Play(window, kPulse); }
void SkinAnimateEffect3(HWND window, bool layered) { Play(window, kFade, !layered); }
void SkinAnimateEffect4(HWND window) { Play(window, kToHorizontalLine); }
void SkinAnimateEffect5(HWND window) { Play(window, kUpwards); }
void SkinAnimateEffect6(HWND window) { Play(window, kDownwards); }
void SkinAnimateEffect7(HWND window) { Play(window, kLeftwards); }
void SkinAnimateEffect8(HWND window) { Play(window, kRightwards); }
void SkinAnimateEffect9(HWND window) { Play(window, kToVerticalLine); }

bool SkinPlayCloseEffect(HWND window, int32_t effect) {
  switch (effect) {
    case 1: SkinAnimateEffect1(window); break;
    case 2: SkinAnimateEffect2(window); break;
    case 3: SkinAnimateEffect3(window, false); break;
    case 4: SkinAnimateEffect4(window); break;
    case 5: SkinAnimateEffect5(window); break;
    case 6: SkinAnimateEffect6(window); break;
    case 7: SkinAnimateEffect7(window); break;
    case 8: SkinAnimateEffect8(window); break;
    case 9: SkinAnimateEffect9(window); break;
    default: return false;
  }
  return true;
}

}  // namespace korvath::skin
