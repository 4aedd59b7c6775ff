#include "skin/control/control_installers.h"

#include "skin/core/child_walk.h"

namespace korvath::skin {

namespace {

// Who runs an installer: every parent, only a message box, or every parent
// but a message box.
enum class InstallerFor : uint8_t { Every, Boxes, NotBoxes };

using Installer = void (*)(SkinWindowRecord& record, HWND parent, const SkinStaticGrowth& growth);

template <SkinChildInstaller install>
void Plain(SkinWindowRecord& record, HWND parent, const SkinStaticGrowth&) {
  install(record, parent);
}

void GrownStatics(SkinWindowRecord& record, HWND parent, const SkinStaticGrowth& growth) {
  StaticSkinInstall(record, parent, growth.width, growth.height);
}

struct Step {
  Installer install;
  InstallerFor runsFor;
};

constexpr Step kInstallers[] = {
    {Plain<ButtonSkinInstall>, InstallerFor::Every},
    {Plain<CheckRadioSkinInstall>, InstallerFor::Every},
    {Plain<EditComboSkinInstall>, InstallerFor::Every},
    {Plain<TrackbarSkinInstall>, InstallerFor::Every},
    {Plain<ProgressSkinInstall>, InstallerFor::Every},
    {Plain<ChildControlSkinInstall>, InstallerFor::Every},
    {Plain<UpDownSkinInstall>, InstallerFor::Every},
    {Plain<HeaderSkinInstall>, InstallerFor::Every},
    {GrownStatics, InstallerFor::Boxes},
    {Plain<ToolbarSkinInstall>, InstallerFor::Every},
    {Plain<TransparentChildSkinInstall>, InstallerFor::NotBoxes},
};

}  // namespace

void SkinInstallChildSkins(SkinWindowRecord& record, HWND parent, std::optional<SkinStaticGrowth> boxStatics) {
  const SkinSharedChildWalk children(parent);
  const InstallerFor skipped = boxStatics ? InstallerFor::NotBoxes : InstallerFor::Boxes;
  for (const Step& step : kInstallers) {
    if (step.runsFor != skipped) step.install(record, parent, boxStatics.value_or(SkinStaticGrowth{}));
  }
}

}  // namespace korvath::skin
