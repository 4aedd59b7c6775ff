#include "app/form_setup.h"

#include <string>

#include "app/field_panels.h"
#include "app/folder_chooser.h"
#include "app/pictures.h"
#include "platform/folders.h"
#include "platform/text_commands.h"
#include "skin/control/control_skin.h"
#include "skin/control/label_skin.h"
#include "skin/core/engine_startup.h"
#include "skin/core/skin_picture.h"
#include "skin/window/background_theme.h"
#include "skin/window/form_attach.h"

namespace korvath::app {

using platform::ToInteger;

const std::array<NumericCombo, 12>& NumericCombos() {
  static const std::array<NumericCombo, 12> combos = {{
      {视野组合框, kViewRange, 7, &NpcRecord::NpcView},
      {速度组合框, kTensRange, 7, &NpcRecord::NpcThink},
      {轻击组合框, kTensRange, 1, &NpcRecord::NpcAttack1},
      {中击组合框, kTensRange, 3, &NpcRecord::NpcAttack2},
      {重击组合框, kTensRange, 3, &NpcRecord::NpcAttack3},
      {防御组合框, kFivesRange, 3, &NpcRecord::NpcGuard},
      {逃跑组合框, kFivesRange, 0, &NpcRecord::NpcDodge},
      {跳跃组合框, kFivesRange, 3, &NpcRecord::NpcJump},
      {张望组合框, kFivesRange, 5, &NpcRecord::NpcLook},
      {跑动组合框, kFivesRange, 3, &NpcRecord::NpcBurst},
      {命中率组合框, kFivesRange, 7, &NpcRecord::NpcAim},
      {夺宝组合框, kFivesRange, 6, &NpcRecord::NpcGetItem},
  }};
  return combos;
}

void SkinLabelsAndGroupBoxes() {
  // Every label in the default look: "宋体" 12, black, left, centred in height.
  static constexpr Unit kLabels[] = {标签1,  标签2,  标签3,  标签4,  标签5,  标签6,  标签7,
                                     标签8,  标签9,  标签10, 标签11, 标签12, 标签13, 标签14,
                                     标签15, 标签16, 标签17, 标签18, 标签19, 标签20};
  for (Unit label : kLabels) skin::LabelSkinAttach(MainForm().UnitGetHandle(label));
  for (Unit group : {分组框1, 分组框2, 分组框3}) skin::ContainerControlSkinAttach(MainForm().UnitGetHandle(group));
}

void OnMainWindowCreated() {
  // Light grey ground, grey highlights; then skinning on, default alpha.
  skin::SkinSetBackgroundTheme("", {}, 0xECECEC, 0xC0C0C0);
  skin::SkinSetOptions(true);
  HWND window = MainWindow();
  // The skinned frame, not resizable, title without icon, the background
  // picture stretched over the client area.
  skin::SkinPicture buttonPicture;
  skin::FormSkinSettings settings;
  settings.border = true;
  settings.resizable = false;
  settings.showTitle = true;
  settings.backgroundImage.assign(assets::BackgroundJpeg().begin(), assets::BackgroundJpeg().end());
  settings.imageMode = 3;
  settings.hideIcon = true;
  settings.buttonPicture = &buttonPicture;
  skin::FormSkinAttach(window, settings);
  SkinLabelsAndGroupBoxes();
  PlaceFieldPanels();
  NpcFormInit();
}

std::string DefaultDocumentFolder() { return platform::ProgramDirectory() + "\\AI文件夹\\"; }

void NpcFormInit() {
  platform::Form& form = MainForm();
  NpcRecord& npc = Npc();

  form.SetComboSelectedIndex(模型组合框, 1);
  form.SetComboSelectedIndex(主武器组合框, 4);
  form.SetComboSelectedIndex(副武器组合框, 6);
  form.SetComboSelectedIndex(行为组合框, 3);

  npc.NpcFolder = DefaultDocumentFolder();
  if (!PathIsFolder(npc.NpcFolder)) platform::CreateDir(npc.NpcFolder);
  form.SetEditContent(目录编辑框, npc.NpcFolder);

  for (const NumericCombo& combo : NumericCombos())
    for (int value = combo.range.first; value <= combo.range.last; value += combo.range.step)
      form.ComboBoxAddItem(combo.unit, platform::ToText(value));
  for (const NumericCombo& combo : NumericCombos())
    form.SetComboSelectedIndex(combo.unit, combo.defaultIndex);

  npc.NpcName = form.EditContent(名字编辑框);
  npc.NpcFilePath = form.EditContent(目录编辑框);
  npc.NpcModel = form.ComboSelectedIndex(模型组合框);
  npc.NpcWeapon = WeaponIdOfItem(form.ComboSelectedIndex(主武器组合框));
  npc.NpcWeapon2 = WeaponIdOfItem(form.ComboSelectedIndex(副武器组合框));
  // The form description turns the Velmar button on.
  npc.NpcTeam = 1;
  for (const NumericCombo& combo : NumericCombos())
    npc.*combo.field =
        ToInteger(form.ComboBoxGetItemText(combo.unit, form.ComboSelectedIndex(combo.unit)));
  npc.NpcHp = ToInteger(form.EditContent(HP编辑框));
  npc.NpcBehaviourText = BehaviourStatementOfItem(form.ComboSelectedIndex(行为组合框));

  form.SetSelectionStart(目录编辑框, -1);
  form.UnitSetFocus(名字编辑框);
}

}  // namespace korvath::app
