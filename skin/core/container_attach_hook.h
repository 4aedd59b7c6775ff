#pragma once
// The container skin (ContainerSkinAttach, skin/control) lies above the core,
// yet the core's panel window registers itself as a container when it is
// created. The container skin hands its attach routine to the core when the
// engine starts (InstallContainerSkin); until then a panel is not registered.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/engine_slots.h"

namespace korvath::skin {

// Null takes the routine away again.
void SetContainerSkinAttach(ContainerSkinAttachRoutine routine);
ContainerSkinAttachRoutine GetContainerSkinAttach();

// ContainerSkinAttach through the installed routine; nothing without one.
void CallContainerSkinAttach(HWND window, std::optional<bool> framed,
                             std::optional<COLORREF> backgroundColour,
                             std::optional<int32_t> backgroundAlpha, std::optional<bool> outline);

}  // namespace korvath::skin
