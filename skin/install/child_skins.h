#pragma once
// The one list of every family's installers, which the form, the container
// and the message box run over their children. Each installer skins the
// controls of its kinds among the direct children of `parent` that no skin
// has subclassed into `record`; each family's own are in its headers
// (button_installers.h, edit_installers.h, control_installers.h and, for
// toolbars, control_attach.h).
#include <windows.h>

#include <cstdint>
#include <optional>

namespace korvath::skin {

struct SkinWindowRecord;

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
