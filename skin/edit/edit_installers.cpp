#include "skin/edit/edit_installers.h"

namespace korvath::skin {

// Stand-ins: these controls keep the system's look until their skins exist.
void EditComboSkinInstall(int32_t, HWND) {}
void ChildControlSkinInstall(int32_t, HWND) {}
void TransparentChildSkinInstall(int32_t, HWND) {}

}  // namespace korvath::skin
