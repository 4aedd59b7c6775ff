#pragma once
// The container skin: a window that holds other controls (a group box, a tab
// control, a toolbar or other control with children, or a panel window) is
// registered with the skinned top-level window that owns it, has the skin
// installers run over its children, and is subclassed so that it answers its
// children's colour, drawing and notification messages the skin's way. A
// framed container (group box or tab control) is painted from a cached look.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/entry_ref.h"

namespace korvath::skin {

struct SkinWindowRecord;

// Registers `window` as a container of its owner's record and subclasses it.
// Defaults: framed 1, colour 0 (no tint), alpha 255, outline 0. Does nothing
// for a window without a skinned ancestor, one registered already, or one
// that another skin has subclassed in the first layer (it carries Hw_hProc).
void ContainerSkinAttach(HWND window, std::optional<bool> framed = std::nullopt,
                         std::optional<COLORREF> backgroundColour = std::nullopt,
                         std::optional<int32_t> backgroundAlpha = std::nullopt,
                         std::optional<bool> outline = std::nullopt);
// The same into `record`, the window's skinned top-level record, which the
// caller holds.
void ContainerSkinAttach(SkinWindowRecord& record, HWND window, std::optional<bool> framed = std::nullopt,
                         std::optional<COLORREF> backgroundColour = std::nullopt,
                         std::optional<int32_t> backgroundAlpha = std::nullopt,
                         std::optional<bool> outline = std::nullopt);

// True for a window of class exactly "Button" whose style has bit 0x4 (group
// boxes, and the button types that share that bit).
bool IsGroupBoxButton(HWND window);

// The window procedure of every registered container.
LRESULT CALLBACK ContainerSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts back the container's previous procedure, removes its entry and
// renumbers the later containers of the record.
void UnskinContainer(const ContainerRef& container);

// Declares every cached background of a skinned top-level window stale: the
// dirty flags of its containers and, unless `containersOnly`, the repaint
// flags of its toolbars, labels and child controls, and every panel of the
// window is told to rebuild its picture.
void InvalidateBackgroundCaches(SkinWindowRecord& record, bool containersOnly = false);

// Hands ContainerSkinAttach to the skin core, whose panel windows register
// themselves through it. Part of the engine's start-up.
void InstallContainerSkin();

}  // namespace korvath::skin
