#pragma once
// The installers of every control skin, and the one list of them that the
// form, the container and the message box run over their children. Each
// installer skins the controls of its kinds among the direct children of
// `parent` that no skin has subclassed into `record`; the button and edit
// families' own are in their headers.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/button/button_installers.h"
#include "skin/edit/edit_installers.h"

namespace korvath::skin {

struct SkinWindowRecord;

void TrackbarSkinInstall(SkinWindowRecord& record, HWND parent);
void ProgressSkinInstall(SkinWindowRecord& record, HWND parent);
void UpDownSkinInstall(SkinWindowRecord& record, HWND parent);
// Headers, also those of list views.
void HeaderSkinInstall(SkinWindowRecord& record, HWND parent);
void ToolbarSkinInstall(SkinWindowRecord& record, HWND parent);
// Statics; text statics grow by the extra width and height (message boxes).
void StaticSkinInstall(SkinWindowRecord& record, HWND parent, int32_t extraWidth = 0, int32_t extraHeight = 0);

// What a message box's text statics grow by: the box's one difference. It
// skins its statics, grown by this, where a form or a container skins its
// children with a transparent background.
struct SkinStaticGrowth {
  int32_t width = 0;
  int32_t height = 0;
};

// The skins of `parent`'s direct children into `record`, in their one order:
// push buttons, check boxes and radio buttons, edits and combo boxes, track
// bars, progress bars, list-type controls, up-downs, headers, then the
// statics (a message box: `boxStatics` given), toolbars, and the children
// with a transparent background (not for a box). The children are listed
// once for all of them (SkinSharedChildWalk).
void SkinInstallChildSkins(SkinWindowRecord& record, HWND parent,
                           std::optional<SkinStaticGrowth> boxStatics = std::nullopt);

}  // namespace korvath::skin
