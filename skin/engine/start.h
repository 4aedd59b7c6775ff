#pragma once
// The engine's start, its options and its end, as a program uses them.
//
// A program calls SkinEngineStart once, before it makes its first window;
// sets the options with SkinSetOptions when it has made its main window,
// before it skins it; and calls SkinEngineShutdown when its message loop has
// ended. Between the start and the shutdown the engine keeps its state to
// itself: a program reaches it only through the calls of this folder.
#include <cstdint>
#include <optional>

namespace korvath::skin {

// Resets the engine's state, starts GDI+ (once per process; it stays
// started), loads the application icon, sets the options to their start-up
// values (skinning on, alpha 160, theme colour 0xDDCA22) and registers the
// engine's two window classes: "hbfcWindow" and the drop shadows'
// "yinyWindow".
void SkinEngineStart();

// Skinning on or off for the windows skinned from now on; the alpha of the
// control backgrounds, borders and scroll-bar faces (160 when not given; a
// given alpha also turns on the controls' see-through backgrounds); the
// track-bar option (1 when not given: track bars draw their rounded part).
// Repaints nothing.
void SkinSetOptions(bool enabled, std::optional<int32_t> alpha = std::nullopt,
                    std::optional<int32_t> trackbar = std::nullopt);

// Releases everything the engine keeps (records, lists, caches, pictures).
// Windows still skinned then must be gone already.
void SkinEngineShutdown();

}  // namespace korvath::skin
