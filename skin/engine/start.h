#pragma once
// The engine's start, its options and its end, as a program uses them.
//
// A program calls SkinEngineStart once, before it makes its first window;
// sets the options with SkinSetOptions and the background with
// SkinSetBackgroundTheme (background_theme.h) when it has made its main
// window, before it skins it; and calls SkinEngineShutdown when its message
// loop has ended. Until the background is set it is black, with no picture:
// a form is painted black but for a picture or a colour its own settings
// give it (FormSkinSettings::backgroundImage, backColor), and a message box
// but for its owner form's. Between the start and the shutdown the engine
// keeps its state to itself: a program reaches it only through the calls of
// this folder.
#include <cstdint>
#include <optional>

namespace korvath::skin {

// Resets the engine's state, starts GDI+ (once per process; it stays started
// until the process ends, unless a WM_QUIT sent to a skinned form with
// SendMessage asks for its shutdown: it then goes once the last skinned
// window is gone, and the next form or message box skinned starts it again.
// A WM_QUIT posted, as PostQuitMessage does, ends the message loop and
// reaches no window procedure: GDI+ stays started), loads the application
// icon, sets the options to their start-up values (skinning on, alpha 160,
// theme colour 0xDDCA22, the background black without a picture) and
// registers the engine's two window classes: "hbfcWindow" and the drop shadows'
// "yinyWindow". The icon is the program's own icon resource 129, or, where
// the program has none, its icon resource named "DEFAULT_ICON" (neither:
// no icon); the engine's classes take it, and a skinned form draws it in its
// caption unless its settings hide it (FormSkinSettings::hideIcon, showTitle).
void SkinEngineStart();

// The options, which the engine reads as it works; the call repaints
// nothing and takes no skin off.
// - `enabled`: skinning of the single controls on or off. Off, the
//   attaches that run from then on leave the single controls of a form, a
//   container or a message box (buttons, check boxes, radio buttons, edits,
//   combo boxes, lists, track bars, progress bars, up-downs, headers, a
//   box's texts) without skins, while the form itself (its caption, frame
//   and background), its labels and containers, the panels and the message
//   boxes are skinned all the same. And while it is off, the skinned
//   windows, those skinned before too, hand their controls the system's
//   colours instead of the skin's see-through ones, and toolbars and the
//   controls skinned one at a time (ContainerControlSkinAttach) paint as
//   the system does.
// - `alpha`: of the control backgrounds, borders and scroll-bar faces (160
//   when not given); a given alpha, whatever its value, also turns on the
//   controls' see-through backgrounds.
// - `trackbar`: 1 when not given: track bars draw their rounded part.
void SkinSetOptions(bool enabled, std::optional<int32_t> alpha = std::nullopt,
                    std::optional<int32_t> trackbar = std::nullopt);

// Releases everything the engine keeps (records, lists, caches, pictures).
// Windows still skinned then must be gone already.
void SkinEngineShutdown();

}  // namespace korvath::skin
