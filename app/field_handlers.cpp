#include "app/field_handlers.h"

#include <cstdint>

#include "app/document_folder.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "app/npc_record.h"
#include "app/pinyin_name.h"
#include "app/value_tables.h"
#include "platform/gbk_convert.h"
#include "platform/text_commands.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;

constexpr int32_t kLowestHp = 100;

void SetTeamIfOn(Unit radio, int32_t team) {
  if (MainForm().RadioChecked(radio)) Npc().NpcTeam = team;
}

void StoreNumericSelection(Unit combo, int32_t NpcRecord::*field) {
  platform::Form& form = MainForm();
  Npc().*field = ToInteger(form.ComboBoxGetItemText(combo, form.ComboSelectedIndex(combo)));
}
}  // namespace

void OnTeamRadio0Click() { SetTeamIfOn(中立单选框, 0); }
void OnTeamRadio1Click() { SetTeamIfOn(Velmar单选框, 1); }
void OnTeamRadio2Click() { SetTeamIfOn(Ostrin单选框, 2); }

void OnModelComboSelect() { Npc().NpcModel = MainForm().ComboSelectedIndex(模型组合框); }

void OnWeaponComboSelect() {
  Npc().NpcWeapon = WeaponIdOfItem(MainForm().ComboSelectedIndex(主武器组合框));
}

void OnWeapon2ComboSelect() {
  Npc().NpcWeapon2 = WeaponIdOfItem(MainForm().ComboSelectedIndex(副武器组合框));
}

void OnBehaviourComboSelect() {
  Npc().NpcBehaviourText = BehaviourStatementOfItem(MainForm().ComboSelectedIndex(行为组合框));
}

void OnViewComboSelect() { StoreNumericSelection(视野组合框, &NpcRecord::NpcView); }
void OnThinkComboSelect() { StoreNumericSelection(速度组合框, &NpcRecord::NpcThink); }
void OnAttack1ComboSelect() { StoreNumericSelection(轻击组合框, &NpcRecord::NpcAttack1); }
void OnAttack2ComboSelect() { StoreNumericSelection(中击组合框, &NpcRecord::NpcAttack2); }
void OnAttack3ComboSelect() { StoreNumericSelection(重击组合框, &NpcRecord::NpcAttack3); }
void OnGuardComboSelect() { StoreNumericSelection(防御组合框, &NpcRecord::NpcGuard); }
void OnDodgeComboSelect() { StoreNumericSelection(逃跑组合框, &NpcRecord::NpcDodge); }
void OnJumpComboSelect() { StoreNumericSelection(跳跃组合框, &NpcRecord::NpcJump); }
void OnLookComboSelect() { StoreNumericSelection(张望组合框, &NpcRecord::NpcLook); }
void OnBurstComboSelect() { StoreNumericSelection(跑动组合框, &NpcRecord::NpcBurst); }
void OnAimComboSelect() { StoreNumericSelection(命中率组合框, &NpcRecord::NpcAim); }
void OnGetItemComboSelect() { StoreNumericSelection(夺宝组合框, &NpcRecord::NpcGetItem); }

void OnHpEditFocusLost() {
  NpcRecord& npc = Npc();
  npc.NpcHp = ToInteger(MainForm().EditContent(HP编辑框));
  if (npc.NpcHp < kLowestHp) npc.NpcHp = kDefaultHp;
  // Written back every time, also when unchanged.
  MainForm().SetEditContent(HP编辑框, ToText(npc.NpcHp));
}

void OnHpEditContentChanged() {}

void OnNameEditFocusLost() {
  platform::Form& form = MainForm();
  std::string name = form.EditContent(名字编辑框);
  const std::string folder = WideToGbk(FolderBoxText()).text;  // the folder as the save takes it
  if (RemoveAllSpaces(name).empty() || RemoveAllSpaces(folder).empty()) return;
  NpcRecord& npc = Npc();
  npc.NpcName = name;
  // The save's own file part, upper-cased; the save computes it again.
  npc.NpcFilePart = ToUpper(NpcFilePartOf(npc.NpcName));
  npc.NpcFilePath = folder + npc.NpcFilePart + ".pst";
}

}  // namespace korvath::app
