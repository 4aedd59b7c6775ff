#include "app/script_writer.h"

#include <windows.h>

#include <string>

#include "app/main_form.h"
#include "app/notice.h"
#include "app/npc_record.h"
#include "app/npc_script.h"
#include "platform/files.h"
#include "skin/window/message_box.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;
using skin::SkinMessageBox;

constexpr UINT kOverwriteStyle = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;  // 0x134
constexpr UINT kDoneStyle = MB_OK | MB_ICONINFORMATION;                         // 0x40
constexpr int kPressedYes = IDYES - 1;

// Writes every line with its CR LF into a new file beside the target and
// only then puts it in the target's place, so that a failure leaves the old
// file as it was.
bool WriteLinesReplacing(const std::string& path,
                         const std::array<std::string, kOutputLineCount>& lines) {
  std::string temporary = files::NewFileBeside(path);
  if (temporary.empty()) return false;
  files::File file = files::OpenFile(temporary, files::OpenMode::Rewrite, files::ShareMode::DenyAll);
  bool ok = bool(file);
  for (const std::string& line : lines) ok = ok && files::FileWriteText(file, line + "\r\n");
  ok = files::CloseFile(file) && ok;
  ok = ok && files::MoveFileReplacing(temporary, path);
  if (!ok) files::DeleteFileAt(temporary);
  return ok;
}
}  // namespace

void OnGenerateClick() {
  if (BuildNpcScriptLines()) WriteNpcFile();
}

bool BuildNpcScriptLines() {
  platform::Form& form = MainForm();
  GbkText name = form.EditContentChecked(名字编辑框);
  GbkText folder = form.EditContentChecked(目录编辑框);
  ScriptInput input{form.EditContent(HP编辑框), name.text, folder.text, name.exact, folder.exact};
  BuildVerdict verdict = BuildNpcScript(Npc(), input);
  if (!verdict.accepted()) ShowNotice(verdict.message);
  return verdict.accepted();
}

bool WriteNpcFile() {
  const std::string& path = Npc().NpcFilePath;
  if (files::FileExists(path)) {
    std::string question = "NPC存档文件[" + path + "]已经存在,是否覆盖!";
    // Only a Yes replaces the file; a box that could not be shown is no Yes.
    if (SkinMessageBox(MainWindow(), question, kOverwriteStyle, "提示") != kPressedYes) return false;
  }
  if (!WriteLinesReplacing(path, Npc().NpcOutputLines)) {
    ShowNotice("NPC文件[" + path + "]保存失败,请检查存档目录是否存在、文件是否只读或被占用!");
    return false;
  }
  SkinMessageBox(MainWindow(), "NPC文件[" + path + "]已经生成!", kDoneStyle);
  return true;
}

void OnCloseClick() { MainForm().DestroyWindowOrUnit(); }

}  // namespace korvath::app
