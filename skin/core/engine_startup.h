#pragma once
// Engine start-up and the options every skin and painter reads (held with the
// engine's lists in engine_state.h). The engine's start (SkinEngineStart,
// skin/engine/start.h, before the program creates its main window) begins with
// `SkinEngineStartup` (the state reset, then the engine's initialiser); the
// program releases the engine with `SkinEngineShutdown` when the message loop
// has ended. The NPC tool's set-up sets the background (`SkinSetBackgroundTheme`:
// black, with no picture, until it is set) and changes the options with
// `SkinSetOptions`.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/gdiplus_startup.h"
#include "skin/core/engine_state.h"

namespace korvath::skin {

// The process's one GDI+ start-up; GDI+ stays started until the process ends,
// unless a WM_QUIT sent to a skinned form asks for its shutdown
// (SkinGdiplusShutdownAfterLastWindow; only a sent one: a posted WM_QUIT, as
// PostQuitMessage leaves, ends the message loop and reaches no window
// procedure): it then goes once the last skinned window is gone, and the
// next form's or message box's attach (SkinGdiplusStart) starts it again.
extern platform::GdiplusStartupToken GdiplusToken;
// The token of the engine's own GDI+ start-up (the initialiser's, or the
// start that followed a shutdown): the one a form's WM_QUIT hands to the
// shutdown. Like GDI+ itself it outlives the engine's state.
extern ULONG_PTR SkinModuleGdiplusToken;
// The engine's initialiser: starts GDI+ (once per process), loads the
// application icon, sets the options to their start-up values, registers
// "hbfcWindow", forgets the glyph strip (the next SkinGlyphStrip loads it
// again) and empties the callback and drop-down lists. Returns 0. The drop
// shadows' class, "yinyWindow", is registered right after it by the engine's
// start (SkinEngineStart, skin/engine), which reaches the shadow's procedure.
int32_t SkinModuleInit();
// The check-box glyph strip, loaded into SkinImageStrip at its first use.
const ImageStrip& SkinGlyphStrip();
// Starts GDI+ unless it is started already; returns the token. The form's
// and the message box's attaches call it, and no other attach does: a form
// or a box skinned after a shutdown finds GDI+ running again.
ULONG_PTR SkinGdiplusStart(std::optional<UINT32> version = std::nullopt);
// Shuts down the engine's GDI+ start-up: when no token is given, or the one
// given is the engine's own live token. The engine then forgets the token, so
// that GDI+ is shut down once and the next SkinGdiplusStart starts it again.
// Any other token (0, one shut down already, a foreign one) is left alone.
void SkinGdiplusShutdown(std::optional<ULONG_PTR> token = std::nullopt);
// The skinned form's answer to WM_QUIT: GDI+ is to be shut down once no
// skinned window is left. While one lives (the form that got the message
// does) it stays started; the removal of the last one's skin
// (SkinGdiplusShutdownIfLastWindowGone) shuts it down.
void SkinGdiplusShutdownAfterLastWindow();
// Runs the shutdown asked for above when no skinned window is left; once per
// request.
void SkinGdiplusShutdownIfLastWindowGone();
// Registers a class of the engine (redraw on resize, double clicks, the
// application icon, the arrow cursor, the button-face background). True when
// the class got an atom.
bool SkinRegisterWindowClass(const wchar_t* className, WNDPROC windowProc);
// Described at the door: skin/engine/start.h. enabled -> SkinEnabled; alpha
// -> SkinAlpha and SkinTransparentMode (whether it was given); trackbar ->
// SkinOptTrackbar.
void SkinSetOptions(bool enabled, std::optional<int32_t> alpha, std::optional<int32_t> trackbar);
// Window procedure of "hbfcWindow": everything goes to DefWindowProc.
LRESULT CALLBACK HbfcWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The core's part of the engine's start (SkinEngineStart, skin/engine/start.h):
// the state reset, then SkinModuleInit.
void SkinEngineStartup();
// Described at the door: skin/engine/start.h.
void SkinEngineShutdown();

}  // namespace korvath::skin
