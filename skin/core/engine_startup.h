#pragma once
// Engine start-up and the engine-wide options every skin and painter reads.
// The program starts the engine with `SkinEngineStartup` (global state, then
// the engine's initialiser) before it creates its main window, and releases
// it with `SkinEngineShutdown` when the message loop has ended. The NPC
// tool's set-up changes the options with `SkinSetOptions`.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/gdiplus_startup.h"

namespace korvath::skin {

// The process's one GDI+ start-up; GDI+ stays started until the process ends.
extern platform::GdiplusStartupToken GdiplusToken;
// Class icon of the engine's windows, drawn in skinned captions (0 when the
// program has no icon resource).
extern HICON AppIcon;

// While not 0 the working-set trim on deactivation returns at once (1 from
// start-up; nothing sets it to 0).
extern int32_t SkinOptTrimMemory;
// One-shot: the first WM_SIZE of a skinned form after start-up keeps the
// form's full re-render request cleared and sets this to 0.
extern int32_t SkinOptFormFlag;
// The skinning switch read by the control installers when they run.
extern bool SkinEnabled;
// Default alpha of control backgrounds, borders and scroll-bar faces.
extern int32_t SkinAlpha;
// The one tint of every highlight, gradient, tick and frame.
extern COLORREF SkinThemeColor;
// The track-bar painter draws its rounded part only while not 0.
extern int32_t SkinOptTrackbar;
// List-type controls ask for hover tracking only while not 0 (stays 0).
extern int32_t SkinHoverTracking;
// Shared engine cursors.
extern HCURSOR CursorHand;
extern HCURSOR CursorIBeam;
extern HCURSOR CursorSizeWE;
// True exactly when the last SkinSetOptions call was given an alpha: switches
// on the transparent-background branches of the control skins.
extern bool SkinTransparentMode;

// The engine's initialiser: starts GDI+ (once per process), loads the
// application icon, sets the options to their start-up values, loads the
// three cursors, registers "yinyWindow" (drop shadows) and "hbfcWindow",
// loads the glyph strip and empties the callback and drop-down lists.
// Returns 0.
int32_t SkinModuleInit();
// Starts GDI+ unless it is started already; returns the token.
ULONG_PTR SkinGdiplusStart(std::optional<UINT32> version = std::nullopt);
// Registers a class of the engine (redraw on resize, double clicks, the
// application icon, the arrow cursor, the button-face background). True when
// the class got an atom.
bool SkinRegisterWindowClass(const wchar_t* className, WNDPROC windowProc);
// enabled -> SkinEnabled; alpha -> SkinAlpha (160 when not given) and
// SkinTransparentMode (whether it was given); trackbar -> SkinOptTrackbar
// (1 when not given). Touches nothing else, repaints nothing.
void SkinSetOptions(bool enabled, std::optional<int32_t> alpha = std::nullopt,
                    std::optional<int32_t> trackbar = std::nullopt);
// Window procedure of "hbfcWindow": everything goes to DefWindowProc.
LRESULT CALLBACK HbfcWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the program calls at its start (before its main window exists) and at
// its exit (after the message loop has ended).
void SkinEngineStartup();
void SkinEngineShutdown();

}  // namespace korvath::skin
