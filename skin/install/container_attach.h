#pragma once
// Registering a container: a window that holds other controls (a group box,
// a tab control, a toolbar or other control with children, or a panel
// window) is registered with the skinned top-level window that owns it, has
// every family's installers run over its children (SkinInstallChildSkins)
// and is subclassed with the container skin's procedure (container_skin.h).
#include <windows.h>

#include <cstdint>
#include <optional>

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

}  // namespace korvath::skin
