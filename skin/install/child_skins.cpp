#include "skin/install/child_skins.h"

#include "skin/button/button_installers.h"
#include "skin/control/control_installers.h"
#include "skin/core/child_walk.h"
#include "skin/edit/edit_installers.h"
#include "skin/install/control_attach.h"

namespace korvath::skin {

void SkinInstallChildSkins(SkinWindowRecord& record, HWND parent, std::optional<SkinStaticGrowth> boxStatics) {
  const SkinSharedChildWalk children(parent);
  ButtonSkinInstall(record, parent);
  CheckRadioSkinInstall(record, parent);
  EditComboSkinInstall(record, parent);
  TrackbarSkinInstall(record, parent);
  ProgressSkinInstall(record, parent);
  ChildControlSkinInstall(record, parent);
  UpDownSkinInstall(record, parent);
  HeaderSkinInstall(record, parent);
  if (boxStatics) StaticSkinInstall(record, parent, boxStatics->width, boxStatics->height);
  ToolbarSkinInstall(record, parent);
  if (!boxStatics) TransparentChildSkinInstall(record, parent);
}

}  // namespace korvath::skin
