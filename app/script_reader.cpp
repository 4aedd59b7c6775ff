#include "app/script_reader.h"

#include <string>
#include <vector>

#include "app/file_paths.h"
#include "app/form_setup.h"
#include "app/main_form.h"
#include "app/notice.h"
#include "app/npc_record.h"
#include "app/npc_script_reader.h"
#include "app/open_file_dialog.h"
#include "app/value_tables.h"
#include "platform/files.h"
#include "platform/text_commands.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;

void SelectTeam(int32_t team) {
  switch (team) {
    case 0: MainForm().SetRadioChecked(中立单选框, true); break;
    case 1: MainForm().SetRadioChecked(Velmar单选框, true); break;
    case 2: MainForm().SetRadioChecked(Ostrin单选框, true); break;
    default: break;
  }
}

void ApplyValues(const NpcScriptValues& read) {
  platform::Form& form = MainForm();
  NpcRecord& npc = Npc();
  const auto& v = read.values;

  npc.NpcName = read.name;
  form.SetEditContent(名字编辑框, npc.NpcName);
  npc.NpcModel = v[1];
  form.SetComboSelectedIndex(模型组合框, npc.NpcModel);
  npc.NpcWeapon = v[2];
  form.SetComboSelectedIndex(主武器组合框, WeaponIdToIndex(npc.NpcWeapon));
  npc.NpcWeapon2 = v[3];
  form.SetComboSelectedIndex(副武器组合框, WeaponIdToIndex(npc.NpcWeapon2));
  npc.NpcTeam = v[4];
  SelectTeam(npc.NpcTeam);
  // Kept lines 6 to 17 are the numeric lists in their table order.
  for (size_t k = 0; k < NumericCombos().size(); ++k) {
    const NumericCombo& combo = NumericCombos()[k];
    npc.*combo.field = v[5 + k];
    form.ComboBoxSelectText(combo.unit, ToText(npc.*combo.field));
  }
  npc.NpcSpawn = v[17];
  npc.NpcHp = v[18];
  form.SetEditContent(HP编辑框, ToText(npc.NpcHp));

  if (read.behaviour) {
    if (std::optional<int> item = BehaviourIndexOfName(*read.behaviour)) {
      npc.NpcBehaviourText = BehaviourStatementOfItem(*item);
      form.ComboBoxSelectText(行为组合框, *read.behaviour);
    }
  }
}
}  // namespace

std::optional<std::vector<std::string>> ReadKeptLines(std::string_view path) {
  files::File file = files::OpenFile(path, files::OpenMode::Read, files::ShareMode::Any);
  if (!file) return std::nullopt;
  std::vector<std::string> kept;
  while (!files::FileAtEnd(file)) {
    std::string line = files::FileReadLine(file);
    if (IsKeptLine(line)) kept.push_back(std::move(line));
  }
  files::CloseFile(file);
  return kept;
}

void OnReadButtonClick() {
  std::string path =
      OpenFileDialog(MainWindow(), Npc().NpcFolder, "打开AI文档", "NPC文档|*.pst", true);
  if (RemoveAllSpaces(path).empty()) {
    Npc().NpcFilePath = path;
    return;
  }
  ReadNpcFile(path);
}

bool ReadNpcFile(std::string_view path) {
  std::optional<std::vector<std::string>> kept = ReadKeptLines(path);
  if (!kept) {
    std::string message = "无法打开NPC文档[";
    message.append(path).append("]!");
    ShowNotice(message);
    return false;
  }
  std::optional<NpcScriptValues> read = ParseNpcScript(*kept);
  if (!read) {
    std::string message = "NPC文档[";
    message.append(path).append("]不是有效的NPC文档,文件内容不完整!");
    ShowNotice(message);
    return false;
  }
  NpcRecord& npc = Npc();
  npc.NpcFilePath = std::string(path);
  MainForm().SetEditContent(目录编辑框, PathDirectoryPart(path));
  npc.NpcInputLines = std::move(*kept);
  ApplyValues(*read);
  return true;
}

}  // namespace korvath::app
