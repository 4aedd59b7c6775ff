#include "app/document_folder.h"

#include "app/error_names.h"
#include "app/file_paths.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "platform/device_names.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"
#include "platform/text_commands.h"

namespace korvath::app {

using namespace korvath::platform;

DWORD MakeDefaultDocumentFolder() {
  const GbkText folder = WideToGbk(DefaultDocumentFolder());
  if (!folder.exact) return ERROR_NO_UNICODE_TRANSLATION;
  if (PathIsFolder(folder.text) || CreateDir(folder.text)) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  return PathIsFolder(folder.text) ? ERROR_SUCCESS : error;  // made by another program meanwhile
}

namespace {
// Whether the text names the tool's own folder, with or without its last "\".
bool IsDefaultDocumentFolder(std::wstring_view typed) {
  const std::wstring own = DefaultDocumentFolder();
  return typed == own || (typed.size() + 1 == own.size() && own.starts_with(typed));
}

// The folder without the separators at its end, as a file of that name is
// named and as the save opens it; a drive's root keeps the one that makes it
// the root ("C:\", "\\?\C:\"), with which the save opens it.
std::string WithoutTrailingSeparators(std::string folder) {
  while (!folder.empty() && PathDirectoryPart(folder).size() == folder.size() && !PathIsDriveRoot(GbkToWide(folder)))
    folder.pop_back();
  return folder;
}

// The program's folder cannot take the tool's own: the tool's paths are GBK.
std::string UnsavableProgramFolderMessage() {
  return "程序所在的目录[" + NoticePath(ProgramDirectoryChecked().text) +
         "]的路径中有GBK编码以外的字符(显示为?),本工具不能在其中建立存档目录,请选择其他存档目录!";
}

std::string UnmadeFolderMessage(std::string_view folder, DWORD error) {
  return "无法在程序所在的目录中建立存档目录[" + NoticePath(folder) + "](" + ErrorName(error) + "),请选择其他存档目录!";
}
}  // namespace

std::wstring FolderBoxText() { return std::wstring(TrimBlanks(MainForm().EditContentWide(目录编辑框))); }

std::string DocumentFolderRefusal(std::wstring_view typed) {
  const GbkText folder = WideToGbk(typed);
  // A relative folder would put the file wherever the current directory is
  // (beside the program, or wherever the open dialog last went), where
  // nobody chose.
  if (RemoveAllSpaces(folder.text).empty()) return "存档目录不能为空,请选择或填写存档目录!";
  if (!IsAbsoluteFolder(folder.text))
    return "存档目录[" + NoticePath(folder.text) +
           "]不是完整的路径,请选择或填写以盘符(如C:\\)或网络路径(如\\\\服务器\\共享\\)开头的存档目录!";
  const bool own = IsDefaultDocumentFolder(typed);
  if (own && !ProgramDirectoryChecked().exact) return UnsavableProgramFolderMessage();
  // Any other folder text with characters that GBK lacks names no folder to
  // look at: the build refuses it, after the name's own checks.
  if (!folder.exact) return {};
  // The system refuses a wildcard in a name as a bad name, which the save
  // would tell as a missing folder: the character is named instead.
  if (const wchar_t wildcard = FolderWildcard(typed))
    return "存档目录[" + NoticePath(folder.text) + "]不能含有" + (wildcard == L'*' ? "星号(*)" : "问号(?)") +
           ",请选择或填写存档目录!";
  // The folder by its name without the separators at its end: a device's
  // name there is the device's (Windows makes no folder of that name, and
  // the folder box shown without its separator names the device), also where
  // the host has a folder of that name. A drive's root with its separator,
  // in the device namespace too ("\\?\C:\"), is the root, no device. What
  // is there and is no folder may be a host's FIFO or link to a device.
  const std::string named = WithoutTrailingSeparators(folder.text);
  const std::wstring opened = GbkToWide(named);
  if ((PathNamesDevice(opened) && !PathIsDriveRoot(opened)) ||
      (!PathIsFolder(folder.text) && files::PathIsNoDiskFile(named)))
    return "存档目录[" + NoticePath(folder.text) + "]是一个设备或管道,不是文件夹,请选择或填写存档目录!";
  if (PathIsFile(named))
    return "存档目录[" + NoticePath(folder.text) + "]是一个文件,不是文件夹,请选择或填写存档目录!";
  // The tool's own folder, made at start-up, is made again should it have
  // gone since; a folder that the user chose or typed is never made.
  if (!own) return {};
  const DWORD error = MakeDefaultDocumentFolder();
  return error == ERROR_SUCCESS ? std::string() : UnmadeFolderMessage(WideToGbk(DefaultDocumentFolder()).text, error);
}

}  // namespace korvath::app
