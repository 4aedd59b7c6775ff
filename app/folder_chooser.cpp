#include "app/folder_chooser.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/file_paths.h"
#include "app/handler_guard.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "app/notice.h"
#include "app/npc_record.h"
#include "app/npc_script.h"
#include "platform/com_ptr.h"
#include "platform/gbk_convert.h"
#include "platform/late_bound.h"
#include "platform/long_paths.h"
#include "platform/message_params.h"
#include "platform/text_commands.h"

namespace korvath::app {

using namespace korvath::platform;

namespace {

// Frees what the shell hands out with CoTaskMemAlloc.
struct ShellMemoryFree {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
template <class T>
using ShellMemory = std::unique_ptr<T, ShellMemoryFree>;

// The items of an item list, as the offsets at which each one ends.
std::vector<size_t> ItemEnds(PCIDLIST_ABSOLUTE items) {
  std::vector<size_t> ends;
  const auto* bytes = reinterpret_cast<const BYTE*>(items);
  for (size_t at = 0;;) {
    USHORT size;
    std::memcpy(&size, bytes + at, sizeof size);
    if (size == 0) return ends;
    at += size;
    ends.push_back(at);
  }
}

// The list of the first items of an item list, up to the offset `end`.
std::vector<BYTE> ItemsUpTo(PCIDLIST_ABSOLUTE items, size_t end) {
  const auto* bytes = reinterpret_cast<const BYTE*>(items);
  std::vector<BYTE> list(bytes, bytes + end);
  list.resize(end + sizeof(USHORT), 0);  // the empty item that ends a list
  return list;
}

PCIDLIST_ABSOLUTE AsItems(const std::vector<BYTE>& list) {
  return reinterpret_cast<PCIDLIST_ABSOLUTE>(list.data());
}

// The path that the shell gives for an item list; empty where it gives none.
std::wstring ShellPathOf(PCIDLIST_ABSOLUTE items) {
  static const auto pathOf = LateBound<decltype(&SHGetPathFromIDListEx)>(L"shell32.dll", "SHGetPathFromIDListEx");
  // Room for the longest path there is: SHGetPathFromIDListW would assume
  // MAX_PATH.
  std::wstring path(kLongestPath, L'\0');
  if (!pathOf || !pathOf(items, path.data(), DWORD(path.size()), GPFIDL_DEFAULT)) return {};
  path.resize(wcslen(path.c_str()));
  return path;
}

// The name by which the last item of a list is found in its folder; empty
// where the shell gives none. (The file data that the item records holds
// the name in the ANSI code page, which lacks characters.)
std::wstring FolderNameOf(PCIDLIST_ABSOLUTE items) {
  static const auto bindToParent = LateBound<decltype(&SHBindToParent)>(L"shell32.dll", "SHBindToParent");
  ComPtr<IShellFolder> parent;
  PCUITEMID_CHILD last = nullptr;
  if (!bindToParent || FAILED(bindToParent(items, IID_IShellFolder, reinterpret_cast<void**>(parent.out()), &last)))
    return {};
  STRRET name = {};
  if (FAILED(parent->GetDisplayNameOf(last, SHGDN_INFOLDER | SHGDN_FORPARSING, &name)) || name.uType != STRRET_WSTR)
    return {};  // a name handed back in the ANSI code page would lack characters too
  const ShellMemory<wchar_t> text(name.pOleStr);
  return text ? text.get() : L"";
}

// Whether the path, in the form that the box hands the file functions,
// leads them to a folder.
bool LeadsToAFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(FileApiPath(ExactPath(path)).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct FolderPath {
  std::wstring path;  // empty for an item that is no folder of the file system
  bool noWholePath = false;
};

// The whole path of the folder that an item list names. The shell gives a
// path whole while it is short; a longer one it may cut at MAX_PATH
// characters and call that a success (under Wine SHGetPathFromIDListEx,
// SHGetPathFromIDListW, GetDisplayNameOf and IShellItem's path all do), and
// it cannot parse one back to compare the item lists either: it reaches each
// folder below by a path of that length, and comes back with the item of
// the cut path. So a long one is made of the path of the deepest item above
// whose path is short and the names by which each item below it is found in
// its folder, and each step must lead the file functions to a folder. Where
// one does not (the folder was moved away or replaced since the dialog
// listed it; the dialog showed it inside a folder whose path it cut, where
// it lists the folder of the cut path; an item is no folder of the file
// system), there is no whole path.
FolderPath PathOfItems(PCIDLIST_ABSOLUTE items) {
  std::wstring path = ShellPathOf(items);
  if (path.empty()) return {};
  if (path.size() < kPlainPathLimit) return {path};
  const std::vector<size_t> ends = ItemEnds(items);
  size_t known = ends.size();
  do {
    if (known-- == 0) return {{}, true};
    path = ShellPathOf(AsItems(ItemsUpTo(items, known == 0 ? 0 : ends[known - 1])));
  } while (path.empty() || path.size() >= kPlainPathLimit);
  for (; known < ends.size(); ++known) {
    const std::wstring name = FolderNameOf(AsItems(ItemsUpTo(items, ends[known])));
    if (name.empty()) return {{}, true};
    if (!IsPathSeparator(path.back())) path += L'\\';
    path += name;
    if (!LeadsToAFolder(path)) return {{}, true};
  }
  return {path};
}

}  // namespace

std::string& BrowseInitialFolder() {
  static std::string folder;
  return folder;
}

void NpcChooseDocumentFolderClick(int entry) {
  if (entry != 1) return;
  NpcRecord& npc = Npc();
  const ChosenFolder chosen = BrowseForFolder("选择NPC文档存放目录", false, npc.NpcFolder, false, true, MainWindow());
  // A folder whose whole path the shell would not give is told, never taken
  // cut short: the cut path names its parent or another folder, into which
  // the save would then go.
  if (chosen.noWholePath) {
    ShowNotice(NoWholePathMessage());
    return;
  }
  // No file can be saved into a folder whose name has characters that GBK
  // lacks: told at once, as the same folder typed into the box is told at
  // the save, and the box keeps the folder it held.
  if (!chosen.path.exact) {
    ShowNotice(UnsavableFolderMessage());
    return;
  }
  // A cancelled dialog keeps the folder that was chosen before.
  if (RemoveAllSpaces(chosen.path.text).empty()) return;
  npc.NpcFolder = WithTrailingBackslash(chosen.path.text);
  platform::Form& form = MainForm();
  form.SetEditContent(目录编辑框, npc.NpcFolder);
  form.SetSelectionLength(目录编辑框, -1);
  form.UnitSetFocus(目录编辑框);
}

std::string_view NoWholePathMessage() {
  return "无法取得所选文件夹的完整路径,存档目录没有改变,请选择其他文件夹或直接填写存档目录!";
}

ChosenFolder BrowseForFolder(std::optional<std::string_view> title, bool includeFiles,
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
  if (!browse) return {};
  const ShellMemory<ITEMIDLIST_ABSOLUTE> items(browse(&info));
  if (!items) return {};
  const FolderPath path = PathOfItems(items.get());
  if (path.noWholePath) return {{}, true};
  // The folder exactly as the dialog names it, blanks at the end of a name
  // included ("pick " is not "pick", which may stand beside it), in a form
  // by which the file functions find it.
  return {path.path.empty() ? GbkText{} : WideToGbk(ExactPath(path.path))};
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
