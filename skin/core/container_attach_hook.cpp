#include "skin/core/container_attach_hook.h"

#include "skin/core/engine_state.h"

namespace korvath::skin {

void SetContainerSkinAttach(ContainerSkinAttachRoutine routine) {
  SkinEngine.options.ContainerAttach = routine;
}

ContainerSkinAttachRoutine GetContainerSkinAttach() { return SkinEngine.options.ContainerAttach; }

void CallContainerSkinAttach(HWND window, std::optional<bool> framed,
                             std::optional<COLORREF> backgroundColour,
                             std::optional<int32_t> backgroundAlpha, std::optional<bool> outline) {
  if (const auto attach = SkinEngine.options.ContainerAttach) {
    attach(window, framed, backgroundColour, backgroundAlpha, outline);
  }
}

}  // namespace korvath::skin
