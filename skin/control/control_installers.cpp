#include "skin/control/control_installers.h"

namespace korvath::skin {

// Stand-ins: these controls keep the system's look until their skins exist.
void TrackbarSkinInstall(int32_t, HWND) {}
void HeaderSkinInstall(int32_t, HWND) {}
void ToolbarSkinInstall(int32_t, HWND) {}

}  // namespace korvath::skin
