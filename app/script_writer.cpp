#include "app/script_writer.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/document_folder.h"
#include "app/error_names.h"
#include "app/file_paths.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "app/notice.h"
#include "app/npc_record.h"
#include "app/npc_script.h"
#include "platform/file_saving.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"
#include "skin/engine/message_box.h"

namespace korvath::app {

namespace {
using namespace korvath::platform;
using skin::SkinMessageBox;

constexpr UINT kOverwriteStyle = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;  // 0x134
constexpr UINT kDoneStyle = MB_OK | MB_ICONINFORMATION;                         // 0x40
constexpr int kPressedYes = IDYES - 1;

// Why a save failed, as its notice tells it after "保存失败": the step that
// failed and its error decide. Where they tell nothing more, the general
// advice comes with the error, named, which is all that the user can look
// up: under Wine an access denied to the move into place is the host's
// EACCES, EPERM or EROFS alike.
constexpr std::string_view kSaveFailedAdvice = "请检查存档目录是否存在、文件是否只读或被占用";

// A reason that says itself what went wrong.
std::string Because(std::string_view reason) {
  std::string told = ",";
  told += reason;
  return told;
}

// The general advice, the error before it.
std::string Advised(DWORD error) {
  std::string told = "(";
  told += ErrorName(error);
  told += "),";
  told += kSaveFailedAdvice;
  return told;
}

std::string FolderFailure(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:  // a folder whose name no file system holds
    case ERROR_BAD_NETPATH: return Because("存档目录不存在");
    // The folder's rights, or its file system gone read-only (under Wine
    // the host's EACCES, EPERM and EROFS, all three an access denied): the
    // error tells which where the system tells them apart.
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return Because("存档目录不允许写入(" + ErrorName(error) + ")");
    default: return Advised(error);
  }
}

std::string WriteFailure(DWORD error) {
  return error == ERROR_LOCK_VIOLATION ? Because("文件正被其他程序占用") : Advised(error);
}

std::string TargetFailure(DWORD error) {
  if (error == ERROR_FILE_READ_ONLY) return Because("文件是只读的");
  // A file of that name made by another program after the tool found none,
  // which no question was about: the next save asks.
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
    return Because("保存时已有其他程序建立了同名文件,请再保存一次");
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return Because("文件正被其他程序占用");
  return Advised(error);
}

std::string SaveFailureReason(const files::SaveFailure& failure) {
  // No room on the disk, whichever step found it: no free entry for the new
  // file, no room for its bytes.
  if (failure.error == ERROR_DISK_FULL || failure.error == ERROR_HANDLE_DISK_FULL) return Because("磁盘空间不足");
  // A device, a pipe or a socket where the file goes, said as the reader says it.
  if (failure.error == ERROR_BAD_DEVICE) return Because("它不是磁盘上的文件");
  // The file beside the document that held the new content, removed by
  // another program before it took the document's place; the document is as
  // it was.
  if (failure.step == files::SaveFailure::Step::Lost)
    return Because("保存时其他程序删除了正在写入的临时文件,请再保存一次");
  // The document folder moved away during the save, the new content in it,
  // and another folder of its name put in its place: a folder is there, so
  // it is no missing folder; a document that was there went with the folder
  // as it was.
  if (failure.step == files::SaveFailure::Step::FolderReplaced)
    return Because("保存时存档目录被其他程序移走或替换了,文件没有保存,请检查存档目录后再保存一次");
  // The disk's own error, whichever step met it: neither the folder, nor a
  // mark, nor another program is to blame. So is an access denied to the new
  // file, open for writing, as it is written or put on disk: the file system
  // refused what it had allowed (under Wine one that went read-only after a
  // disk's error, EROFS, which comes as an access denied there too).
  if (IsDiskError(failure.error) ||
      (failure.step == files::SaveFailure::Step::Write && failure.error == ERROR_ACCESS_DENIED))
    return Because("磁盘报告了错误(" + ErrorName(failure.error) + "),请检查磁盘后再保存一次");
  switch (failure.step) {
    case files::SaveFailure::Step::Folder: return FolderFailure(failure.error);
    case files::SaveFailure::Step::Write: return WriteFailure(failure.error);
    case files::SaveFailure::Step::Target: return TargetFailure(failure.error);
    case files::SaveFailure::Step::Lost:
    case files::SaveFailure::Step::FolderReplaced: break;
  }
  return Advised(failure.error);
}

void ShowSaveFailure(const std::string& shown, const files::SaveFailure& failure) {
  ShowNotice("NPC文件[" + shown + "]保存失败" + SaveFailureReason(failure) + "!");
}

// The notice of a save that put the file in its place: the completion
// notice, or, where the folder could not be flushed after the move, what
// that means. A folder gone by then was moved or removed by another program,
// with the file in it; any other error leaves the move perhaps not on disk:
// after a power cut the folder may hold the old file (or none) and the new
// content beside it.
void ShowSaved(const std::string& shown, std::optional<DWORD> folderUnflushed) {
  if (!folderUnflushed) {
    SkinMessageBox(MainWindow(), "NPC文件[" + shown + "]已经生成!", kDoneStyle, "提示");
  } else if (*folderUnflushed == ERROR_FILE_NOT_FOUND || *folderUnflushed == ERROR_PATH_NOT_FOUND) {
    ShowNotice("NPC文件[" + shown + "]已经生成,但存档目录随后被其他程序移走或删除了,文件已不在原处,请检查存档目录后再保存一次!");
  } else {
    ShowNotice("NPC文件[" + shown + "]已经生成,但磁盘报告了错误(" + ErrorName(*folderUnflushed) +
               "),文件可能还没有保存到磁盘上,请检查磁盘后再保存一次!");
  }
}
}  // namespace

void OnGenerateClick() {
  if (BuildNpcScriptLines()) WriteNpcFile();
}

bool BuildNpcScriptLines() {
  platform::Form& form = MainForm();
  GbkText name = form.EditContentChecked(名字编辑框);
  const std::wstring typedFolder = FolderBoxText();
  if (std::string refusal = DocumentFolderRefusal(typedFolder); !refusal.empty()) {
    ShowNotice(refusal);
    return false;
  }
  const GbkText folder = WideToGbk(typedFolder);
  ScriptInput input{form.EditContent(HP编辑框), name.text, folder.text, name.exact, folder.exact};
  BuildVerdict verdict = BuildNpcScript(Npc(), input);
  if (!verdict.accepted()) ShowNotice(verdict.message);
  return verdict.accepted();
}

bool WriteNpcFile() {
  const std::string& path = Npc().NpcFilePath;
  const std::string shown = NoticePath(path);
  if (platform::PathIsFolder(path)) {  // nothing to ask about: no file can take its place
    ShowNotice("NPC文件[" + shown + "]保存失败,存档目录中已有一个同名的文件夹!");
    return false;
  }
  const files::FileSearch search = files::SearchForEntry(path);
  if (search.error != ERROR_SUCCESS) {
    // Not knowing whether the file is there, the save would take the one it
    // finds for a file made meanwhile by another program. A folder that may
    // be written but not listed comes as ERROR_ACCESS_DENIED: its rights, no
    // disk, are to blame. Under Wine the host's EIO where the server opens
    // the folder comes as ERROR_NOACCESS.
    const std::string_view advice =
        search.error == ERROR_ACCESS_DENIED ? "存档目录不允许读取" : "请检查存档目录所在的磁盘";
    ShowNotice("NPC文件[" + shown + "]保存失败,查找存档目录中的同名文件时出错(" + ErrorName(search.error) + ")," +
               std::string(advice) + "!");
    return false;
  }
  const bool replacing = search.found;
  if (replacing) {
    // What keeps the file from being replaced whatever the answer is told at
    // once, not after a Yes.
    if (std::optional<files::SaveFailure> refusal = files::KnownReplaceRefusal(path)) {
      ShowSaveFailure(shown, *refusal);
      return false;
    }
    std::string question = "NPC存档文件[" + shown + "]已经存在,是否覆盖!";
    // Only a Yes replaces the file; a box that could not be shown is no Yes.
    if (SkinMessageBox(MainWindow(), question, kOverwriteStyle, "提示") != kPressedYes) return false;
  }
  // The file's bytes come from the format's one definition. Only a file
  // that the question was about is replaced.
  const files::Existing existing = replacing ? files::Existing::Replace : files::Existing::Keep;
  const files::SaveResult saved = files::SaveFile(path, NpcScriptFileBytes(Npc().NpcOutputLines), existing);
  if (saved.failure) {
    ShowSaveFailure(shown, *saved.failure);
    return false;
  }
  ShowSaved(shown, saved.folderUnflushed);
  return true;
}

void OnCloseClick() { MainForm().DestroyWindowOrUnit(); }

}  // namespace korvath::app
