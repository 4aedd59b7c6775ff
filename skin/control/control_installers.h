#pragma once
// The installers of this family's control skins. Each skins the controls of
// its kinds among the direct children of `parent` that no skin has
// subclassed into `record`; the one list of every family's installers is
// SkinInstallChildSkins (skin/install/child_skins.h), and the toolbars'
// installer, which registers a toolbar with children as a container, is
// there too (control_attach.h).
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

void TrackbarSkinInstall(SkinWindowRecord& record, HWND parent);
void ProgressSkinInstall(SkinWindowRecord& record, HWND parent);
void UpDownSkinInstall(SkinWindowRecord& record, HWND parent);
// Headers, also those of list views.
void HeaderSkinInstall(SkinWindowRecord& record, HWND parent);
// Statics; text statics grow by the extra width and height (message boxes).
void StaticSkinInstall(SkinWindowRecord& record, HWND parent, int32_t extraWidth = 0, int32_t extraHeight = 0);

}  // namespace korvath::skin
