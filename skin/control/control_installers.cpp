#include "skin/control/control_installers.h"

namespace korvath::skin {

// Stand-ins: these controls keep the system's look until their skins exist.
void HeaderSkinInstall(int32_t, HWND) {}

}  // namespace korvath::skin
