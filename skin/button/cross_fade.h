#pragma once
// The cross-fade: a finished picture blended onto a window over nine timer
// ticks, 20 ms apart, with rising constant alpha (50, 75, ... 250), in place
// of copying it at once. The start draws nothing; the ninth tick draws the
// last blend and ends the fade. Each running fade is an entry of FadeList
// with a thread timer of its own (engine_state.h).
#include <windows.h>

#include <cstdint>

#include "skin/draw/memory_dc.h"

namespace korvath::skin {

inline constexpr UINT kFadeInterval = 20;  // ms between blends
inline constexpr int32_t kFadeLastFrame = 10;

// One fade: (source.x, source.y, width, height) of the picture onto
// (x, y, width, height) of `destDc`, or of the window's own DC when no DC is
// given (the fade takes it and gives it back at its end).
struct FadeArgs {
  HWND window = nullptr;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  // The picture: one the fade owns and frees at its end, or one the caller
  // lends and keeps (used when `picture` is empty).
  SkinMemoryDc picture;
  HDC lentPicture = nullptr;
  POINT source{};
  HDC destDc = nullptr;
  // Each blend is followed by re-showing the layered window from `destDc`.
  bool layered = false;
};
void FadeStart(FadeArgs args);
// Ends every running fade without drawing. The window is not used: whichever
// button asks, the fades of every window end (no paint then runs beside an
// old fade; FadeEndForWindow ends one window's).
void FadeStop(HWND unusedWindow);
// Ends the fades of one window without drawing: what a window being
// destroyed runs, so that no blend ever goes through a dead window's DC.
void FadeEndForWindow(HWND window);
// The timer procedure: advances the fade whose timer fired.
void CALLBACK FadeTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);
// 1-based position of the fade with this timer in FadeList; 0 when none.
int32_t FadeFindByTimer(UINT_PTR timerId);

}  // namespace korvath::skin
