#include "app/folder_chooser.h"

#include <objbase.h>
#include <shlobj.h>

#include "app/file_paths.h"
#include "app/handler_guard.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "app/notice.h"
#include "app/npc_record.h"
#include "app/npc_script.h"
#include "platform/gbk_convert.h"
#include "platform/late_bound.h"
#include "platform/long_paths.h"
#include "platform/message_params.h"
#include "platform/text_commands.h"

namespace korvath::app {

using namespace korvath::platform;

std::string& BrowseInitialFolder() {
  static std::string folder;
  return folder;
}

void NpcChooseDocumentFolderClick(int entry) {
  if (entry != 1) return;
  NpcRecord& npc = Npc();
  const GbkText chosen = BrowseForFolder("选择NPC文档存放目录", false, npc.NpcFolder, false, true, MainWindow());
  // No file can be saved into a folder whose name has characters that GBK
  // lacks: told at once, as the same folder typed into the box is told at
  // the save, and the box keeps the folder it held.
  if (!chosen.exact) {
    ShowNotice(UnsavableFolderMessage());
    return;
  }
  // A cancelled dialog keeps the folder that was chosen before.
  if (RemoveAllSpaces(chosen.text).empty()) return;
  npc.NpcFolder = WithTrailingBackslash(chosen.text);
  platform::Form& form = MainForm();
  form.SetEditContent(目录编辑框, npc.NpcFolder);
  form.SetSelectionLength(目录编辑框, -1);
  form.UnitSetFocus(目录编辑框);
}

GbkText BrowseForFolder(std::optional<std::string_view> title, bool includeFiles,
                        std::optional<std::string_view> initialFolder, bool editBox, bool newStyle, HWND owner) {
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
  static const auto pathOf = LateBound<decltype(&SHGetPathFromIDListEx)>(L"shell32.dll", "SHGetPathFromIDListEx");
  if (!browse || !pathOf) return {};
  PIDLIST_ABSOLUTE items = browse(&info);
  if (!items) return {};
  // Room for the longest path there is: SHGetPathFromIDListW would assume
  // MAX_PATH and cut a deeper folder short.
  std::wstring path(kLongestPath, L'\0');
  BOOL ok = pathOf(items, path.data(), DWORD(path.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(items);
  if (!ok) return {};
  // The folder exactly as the dialog names it, blanks at the end of a name
  // included ("pick " is not "pick", which may stand beside it), in a form
  // by which the file functions find it.
  return WideToGbk(ExactPath(path.c_str()));
}

int CALLBACK BrowseForFolderCallback(HWND window, UINT message, LPARAM, LPARAM) {
  // Beneath the shell's dialog code, which no exception may unwind through:
  // one ends here, guarded, and the dialog opens where it would without a folder.
  RunGuarded([&] {
    if (message == BFFM_INITIALIZED && !BrowseInitialFolder().empty()) {
      // A folder too deep for the dialog opens it on its deepest parent that
      // is not; one whose path the shell would tidy, by its short path.
      std::wstring folder = DialogFolder(GbkToWide(BrowseInitialFolder()));
      if (!folder.empty())
        SendWithPointer(window, BFFM_SETSELECTIONW, TRUE, folder.c_str());
    }
  });
  return 1;
}

}  // namespace korvath::app
