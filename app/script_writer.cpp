#include "app/script_writer.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "app/file_paths.h"
#include "app/folder_chooser.h"
#include "app/form_setup.h"
#include "app/main_form.h"
#include "app/notice.h"
#include "app/npc_record.h"
#include "app/npc_script.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/long_paths.h"
#include "skin/window/message_box.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;
using skin::SkinMessageBox;

constexpr UINT kOverwriteStyle = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;  // 0x134
constexpr UINT kDoneStyle = MB_OK | MB_ICONINFORMATION;                         // 0x40
constexpr int kPressedYes = IDYES - 1;

// Why a save failed, as its notice tells it: the step that failed and its
// error decide; the general advice when they tell nothing more.
constexpr std::string_view kSaveFailedAdvice = "请检查存档目录是否存在、文件是否只读或被占用";

std::string_view FolderFailure(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return "存档目录不存在";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return "存档目录不允许写入";
    default: return kSaveFailedAdvice;
  }
}

std::string_view WriteFailure(DWORD error) {
  return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? "磁盘空间不足" : kSaveFailedAdvice;
}

std::string_view ReplaceFailure(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(FileApiPath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return "文件是只读的";
  if (files::FileInUse(path)) return "文件正被其他程序占用";
  return kSaveFailedAdvice;
}

// Writes every line with its CR LF into a new file beside the target and
// only then puts it in the target's place, so that a failure leaves the old
// file as it was and nothing beside it. Returns why it failed; empty when it
// did not.
std::string_view WriteLinesReplacing(const std::string& path,
                                     const std::array<std::string, kOutputLineCount>& lines) {
  std::string temporary = files::NewFileBeside(path);
  if (temporary.empty()) return FolderFailure(GetLastError());
  files::File file = files::OpenFile(temporary, files::OpenMode::Rewrite, files::ShareMode::DenyAll);
  bool written = bool(file);
  for (const std::string& line : lines) written = written && files::FileWriteText(file, line + "\r\n");
  std::string_view why = written ? std::string_view() : WriteFailure(GetLastError());
  if (!files::CloseFile(file) && why.empty()) why = WriteFailure(GetLastError());
  if (why.empty() && !files::MoveFileReplacing(temporary, path)) why = ReplaceFailure(path);
  if (!why.empty()) files::DeleteFileAt(temporary);
  return why;
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
  // The tool's own folder, made at start-up, is made again should it have
  // gone since; a folder that the user chose or typed is never made.
  const std::string folder = PathDirectoryPart(path);
  if (folder == DefaultDocumentFolder() && !PathIsFolder(folder)) platform::CreateDir(folder);
  if (std::string_view why = WriteLinesReplacing(path, Npc().NpcOutputLines); !why.empty()) {
    ShowNotice("NPC文件[" + path + "]保存失败," + std::string(why) + "!");
    return false;
  }
  SkinMessageBox(MainWindow(), "NPC文件[" + path + "]已经生成!", kDoneStyle);
  return true;
}

void OnCloseClick() { MainForm().DestroyWindowOrUnit(); }

}  // namespace korvath::app
