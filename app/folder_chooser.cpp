#include "app/folder_chooser.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/file_paths.h"
#include "app/main_form.h"
#include "app/npc_record.h"
#include "platform/gbk_convert.h"
#include "platform/late_bound.h"
#include "platform/text_commands.h"

namespace korvath::app {

using namespace korvath::platform;

std::string& BrowseInitialFolder() {
  static std::string folder;
  return folder;
}

bool PathIsFolder(std::string_view path) {
  std::wstring wide = GbkToWide(path);
  return !wide.empty() && PathIsDirectoryW(wide.c_str()) == FILE_ATTRIBUTE_DIRECTORY;
}

void NpcChooseDocumentFolderClick(int entry) {
  if (entry != 1) return;
  NpcRecord& npc = Npc();
  std::string chosen = BrowseForFolder("选择NPC文档存放目录", false, npc.NpcFolder, false, true,
                                       MainWindow());
  // A cancelled dialog keeps the folder that was chosen before.
  if (RemoveAllSpaces(chosen).empty()) return;
  npc.NpcFolder = WithTrailingBackslash(chosen);
  platform::Form& form = MainForm();
  form.SetEditContent(目录编辑框, npc.NpcFolder);
  form.SetSelectionLength(目录编辑框, -1);
  form.UnitSetFocus(目录编辑框);
}

std::string BrowseForFolder(std::optional<std::string_view> title, bool includeFiles,
                            std::optional<std::string_view> initialFolder, bool editBox,
                            bool newStyle, HWND owner) {
  std::wstring wideTitle = GbkToWide(title.value_or("请选择一个文件夹"));
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = (editBox ? BIF_EDITBOX : 0) | (newStyle ? BIF_NEWDIALOGSTYLE : 0) |
                 (includeFiles ? BIF_BROWSEINCLUDEFILES : 0);
  info.lpfn = &BrowseForFolderCallback;
  BrowseInitialFolder() = std::string(initialFolder.value_or(""));

  // The shell's DLL is loaded when the dialog is first asked for, not at start.
  static const auto browse = LateBound<decltype(&SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
  static const auto pathOf = LateBound<decltype(&SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
  if (!browse || !pathOf) return {};
  PIDLIST_ABSOLUTE items = browse(&info);
  if (!items) return {};
  wchar_t path[MAX_PATH] = {};
  BOOL ok = pathOf(items, path);
  CoTaskMemFree(items);
  if (!ok) return {};
  GbkText folder = WideToGbk(path);
  return folder.exact ? TrimBoth(folder.text) : std::string();
}

int CALLBACK BrowseForFolderCallback(HWND window, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED && !BrowseInitialFolder().empty()) {
    std::wstring folder = GbkToWide(BrowseInitialFolder());
    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
  }
  return 1;
}

}  // namespace korvath::app
