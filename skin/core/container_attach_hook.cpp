#include "skin/core/container_attach_hook.h"

namespace korvath::skin {

namespace {
ContainerSkinAttachRoutine installedAttach = nullptr;
}

void SetContainerSkinAttach(ContainerSkinAttachRoutine routine) { installedAttach = routine; }

ContainerSkinAttachRoutine GetContainerSkinAttach() { return installedAttach; }

void CallContainerSkinAttach(HWND window, std::optional<bool> framed,
                             std::optional<COLORREF> backgroundColour,
                             std::optional<int32_t> backgroundAlpha, std::optional<bool> outline) {
  if (installedAttach) installedAttach(window, framed, backgroundColour, backgroundAlpha, outline);
}

}  // namespace korvath::skin
