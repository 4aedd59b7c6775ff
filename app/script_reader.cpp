#include "app/script_reader.h"

#include <string>
#include <variant>
#include <vector>

#include "app/file_paths.h"
#include "app/form_setup.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "app/notice.h"
#include "app/npc_record.h"
#include "app/npc_script_reader.h"
#include "app/open_file_dialog.h"
#include "app/value_tables.h"
#include "platform/device_names.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"
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

// The values are ones the form can show, so every control shows what the
// record holds.
void ApplyValues(const NpcScriptValues& read) {
  platform::Form& form = MainForm();
  NpcRecord& npc = Npc();
  StoreNpcScriptValues(read, npc);
  form.SetEditContent(名字编辑框, npc.NpcName);
  form.SetComboSelectedIndex(模型组合框, npc.NpcModel);
  form.SetComboSelectedIndex(主武器组合框, WeaponIdToIndex(npc.NpcWeapon));
  form.SetComboSelectedIndex(副武器组合框, WeaponIdToIndex(npc.NpcWeapon2));
  SelectTeam(npc.NpcTeam);
  for (const NumericCombo& combo : NumericCombos())
    form.ComboBoxSelectText(combo.unit, ToText(npc.*combo.field));
  form.SetEditContent(HP编辑框, ToText(npc.NpcHp));
  form.ComboBoxSelectText(行为组合框, BehaviourTable()[size_t(read.behaviour)].name);
}
}  // namespace

KeptFile ReadKeptLines(std::string_view path) {
  KeptFile kept;
  // A device is refused by its name before it is opened, where the name
  // tells, and so is what a search finds and no attributes describe (under
  // Wine a host's FIFO, socket or link to a device), whose open would wake a
  // program waiting at a FIFO's other end; what opens is looked at before a
  // byte is read, for the devices and pipes that a drive's path can lead to.
  if (PathNamesDevice(GbkToWide(path)) || files::PathIsNoDiskFile(path)) {
    kept.notAFile = true;
    return kept;
  }
  files::File file = files::OpenFile(path, files::OpenMode::Read, files::ShareMode::Any);
  if (!file) {
    kept.openError = GetLastError();
    if (kept.openError == ERROR_SUCCESS) kept.openError = ERROR_OPEN_FAILED;
    // A folder does not open as a file, with "access denied": no right is
    // missing, it is no file. Nor is what opens as no device at all.
    kept.notAFile = PathIsFolder(path) || files::IsNoDiskFileError(kept.openError);
    return kept;
  }
  if (!files::IsDiskFile(file)) {
    kept.notAFile = true;
    return kept;
  }
  files::FileLimitReading(file, kMostFileBytes);
  kept.encoding = ByteOrderMarkEncoding(files::FilePeekBytes(file, 4));
  if (kept.encoding) return kept;
  while (!files::FileAtEnd(file) && AddKeptLine(kept.lines, files::FileReadLine(file))) {
  }
  kept.readError = files::FileReadError(file);
  if (kept.readError != ERROR_SUCCESS) {
    kept.lines.clear();
    return kept;
  }
  if (std::optional<char> end = files::FileTextEndByte(file))
    kept.textEndedEarly = *end == '\0' || !files::FilePeekBytes(file, 1).empty();
  files::CloseFile(file);
  return kept;
}

namespace {
std::string OpenFailureMessage(std::string_view shownPath, DWORD error) {
  std::string why;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: why = ",文件不存在"; break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: why = ",文件正被其他程序占用"; break;
    case ERROR_ACCESS_DENIED: why = ",没有读取这个文件的权限"; break;
    default: break;
  }
  std::string message = "无法打开NPC文档[";
  message.append(shownPath).append("]").append(why).append("!");
  return message;
}

std::string ReadFailureMessage(std::string_view shownPath, DWORD error) {
  std::string message = "读取NPC文档[";
  message.append(shownPath).append("]时出错");
  if (error == ERROR_LOCK_VIOLATION) message.append(",文件的一部分被其他程序锁定");
  return message.append("!");
}

// The record's paths and the folder box hold GBK text: a file whose path has
// a character that GBK lacks could not be named again, nor its folder shown
// for the next save, which would then go elsewhere than the file read.
std::string UnnamablePathMessage(std::string_view path) {
  return "无法读取NPC文档[" + NoticePath(path) +
         "],它的路径中有GBK编码以外的字符(显示为?),请把文件改名或移到路径中没有这些字符的文件夹后再读取!";
}
// Only a file on disk is read: a device or pipe could keep the tool waiting.
std::string NotAFileMessage(std::string_view shownPath) {
  std::string message = "无法读取NPC文档[";
  return message.append(shownPath).append("],它不是磁盘上的文件!");
}
}  // namespace

void OnReadButtonClick() {
  GbkText path = OpenFileDialog(MainWindow(), Npc().NpcFolder, "打开AI文档", "NPC文档|*.pst", true);
  if (!path.exact) {
    ShowNotice(UnnamablePathMessage(path.text));
    return;
  }
  if (RemoveAllSpaces(path.text).empty()) {
    Npc().NpcFilePath = path.text;
    return;
  }
  ReadNpcFile(path.text);
}

bool ReadNpcFile(std::string_view path) {
  KeptFile kept = ReadKeptLines(path);
  // A refusal names the file as every notice does: a path too long for the
  // box shortened in its middle.
  const std::string shown = NoticePath(path);
  if (kept.notAFile) {
    ShowNotice(NotAFileMessage(shown));
    return false;
  }
  if (kept.openError != ERROR_SUCCESS) {
    ShowNotice(OpenFailureMessage(shown, kept.openError));
    return false;
  }
  if (kept.readError == ERROR_FILE_TOO_LARGE) {
    ShowNotice(NpcScriptRefusalMessage(shown, {NpcScriptRefusal::Reason::TooLarge, 0}));
    return false;
  }
  if (kept.readError != ERROR_SUCCESS) {
    ShowNotice(ReadFailureMessage(shown, kept.readError));
    return false;
  }
  if (kept.encoding) {
    ShowNotice(EncodingRefusalMessage(shown, *kept.encoding));
    return false;
  }
  if (kept.textEndedEarly) {
    ShowNotice(NpcScriptRefusalMessage(shown, {NpcScriptRefusal::Reason::TextEndedEarly, 0}));
    return false;
  }
  const std::variant<NpcScriptValues, NpcScriptRefusal> read = ReadNpcScript(kept.lines);
  if (const NpcScriptRefusal* refusal = std::get_if<NpcScriptRefusal>(&read)) {
    ShowNotice(NpcScriptRefusalMessage(shown, *refusal));
    return false;
  }
  NpcRecord& npc = Npc();
  npc.NpcFilePath = std::string(path);
  MainForm().SetEditContent(目录编辑框, PathDirectoryPart(path));
  npc.NpcInputLines = std::move(kept.lines);
  ApplyValues(std::get<NpcScriptValues>(read));
  return true;
}

}  // namespace korvath::app
