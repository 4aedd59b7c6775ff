#include "skin/button/button_installers.h"

namespace korvath::skin {

// Stand-ins: buttons keep the system's look until their skins exist.
void ButtonSkinInstall(int32_t, HWND) {}
void CheckRadioSkinInstall(int32_t, HWND) {}

}  // namespace korvath::skin
