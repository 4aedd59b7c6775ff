#include "skin/button/cross_fade.h"

#include <algorithm>

#include "skin/core/engine_state.h"
#include "skin/core/error_policy.h"
#include "skin/core/layered_window.h"
#include "skin/draw/alpha_blend.h"

namespace korvath::skin {

void FadeStart(FadeArgs args) {
  FadeEntry fade;
  fade.Window = args.window;
  if (args.destDc) {
    fade.DestDc = args.destDc;
  } else {
    fade.OwnDestDc = platform::WindowDC::Client(args.window);
    fade.DestDc = fade.OwnDestDc.get();
  }
  fade.X = args.x;
  fade.Y = args.y;
  fade.Width = args.width;
  fade.Height = args.height;
  fade.KeepSourceDc = !args.picture;
  fade.SourceDc = args.picture ? args.picture.get() : args.lentPicture;
  fade.OwnSourceDc = std::move(args.picture);
  fade.SourceX = args.source.x;
  fade.SourceY = args.source.y;
  fade.Frame = 1;
  fade.Layered = args.layered;
  fade.Timer = ThreadTimer(SetTimer(nullptr, 0, kFadeInterval, FadeTimerProc));
  SkinEngine.lists.FadeList.push_back(std::move(fade));
}

void FadeStop(HWND /*unusedWindow*/) {
  // Each entry kills its timer and gives back what it owns as it goes.
  SkinEngine.lists.FadeList.clear();
}

void FadeEndForWindow(HWND window) {
  std::erase_if(SkinEngine.lists.FadeList, [window](const FadeEntry& fade) { return fade.Window == window; });
}

int32_t FadeFindByTimer(UINT_PTR timerId) {
  for (size_t i = 0; i < SkinEngine.lists.FadeList.size(); ++i) {
    if (SkinEngine.lists.FadeList[i].Timer.get() == timerId) return int32_t(i + 1);
  }
  return 0;
}

namespace {

void FadeStep(UINT_PTR timerId) {
  const int32_t i = FadeFindByTimer(timerId);
  if (i == 0) return;
  const auto at = SkinEngine.lists.FadeList.begin() + (i - 1);
  FadeEntry& fade = *at;
  // A window that went without its fade being ended takes no more blends.
  if (fade.Window && !IsWindow(fade.Window)) {
    SkinEngine.lists.FadeList.erase(at);
    return;
  }
  ++fade.Frame;
  AlphaBlendConst(fade.DestDc, fade.X, fade.Y, fade.Width, fade.Height, fade.SourceDc, fade.SourceX, fade.SourceY,
                  fade.Width, fade.Height, uint8_t(std::min(25 * fade.Frame, 255)));
  if (fade.Layered) SkinUpdateLayered(fade.Window, {.sourceDc = fade.DestDc});
  if (fade.Frame >= kFadeLastFrame) SkinEngine.lists.FadeList.erase(at);
}

}  // namespace

void CALLBACK FadeTimerProc(HWND, UINT, UINT_PTR timerId, DWORD) {
  SkinAtCallbackEdge([timerId] { FadeStep(timerId); });
}

}  // namespace korvath::skin
