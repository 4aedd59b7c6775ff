#include "app/form_setup.h"

#include <string>

#include "app/document_folder.h"
#include "app/field_panels.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "app/pictures.h"
#include "platform/gbk_convert.h"
#include "platform/text_commands.h"
#include "skin/engine/attach.h"
#include "skin/engine/background_theme.h"
#include "skin/engine/picture.h"
#include "skin/engine/start.h"

namespace korvath::app {

using platform::ToInteger;

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

void NpcFormInit() {
  platform::Form& form = MainForm();
  NpcRecord& npc = Npc();

  // The box shows the folder as the system names it. A program folder whose
  // path GBK cannot hold leaves the tool without a folder of its own: nothing
  // is made there, and the dialogs open where the system puts them. A save
  // into it says why, as a save into a folder that could not be made does.
  const std::wstring folder = DefaultDocumentFolder();
  const platform::GbkText gbkFolder = platform::WideToGbk(folder);
  npc.NpcFolder = gbkFolder.exact ? gbkFolder.text : std::string();
  MakeDefaultDocumentFolder();
  FillMainFormDefaults(form, folder);

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
}

}  // namespace korvath::app
