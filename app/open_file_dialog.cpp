#include "app/open_file_dialog.h"

#include <commdlg.h>

#include "app/file_paths.h"
#include "app/open_dialog_guard.h"
#include "platform/folders.h"
#include "platform/gbk_convert.h"
#include "platform/late_bound.h"
#include "platform/long_paths.h"

namespace korvath::app {

using namespace korvath::platform;

GbkText OpenFileDialog(HWND owner, std::optional<std::string_view> initialFolder, std::string_view title,
                       std::string_view filter, bool keepDirectory) {
  std::string saved = CurrentDirectory();
  std::wstring wideFilter = GbkToWide(OpenFileFilterBytes(filter));
  std::wstring wideFolder = DialogFolder(GbkToWide(initialFolder.value_or(saved)));
  std::wstring wideTitle = GbkToWide(title);
  // Room for any path the dialog can hand back, also from a folder deeper
  // than MAX_PATH: with less it would refuse such a file without a word.
  std::wstring file(kLongestPath, L'\0');
  std::wstring fileTitle(512, L' ');

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = wideFilter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(file.size());
  ofn.lpstrFileTitle = fileTitle.data();
  ofn.nMaxFileTitle = 512;
  ofn.lpstrInitialDir = wideFolder.empty() ? nullptr : wideFolder.c_str();
  ofn.lpstrTitle = wideTitle.c_str();
  // The reader needs a file that is there: a typed name of a missing file
  // is refused by the dialog itself.
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  OpenDialogGuard guard;
  // The dialog's DLL is loaded when the dialog is first asked for, not at start.
  static const auto getOpenFileName =
      LateBound<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  BOOL chosen = getOpenFileName ? getOpenFileName(&ofn) : FALSE;
  if (!keepDirectory) ChangeDirectory(saved);
  if (!chosen && guard.taken().empty()) return {};
  // The dialog names a file in a folder whose name ends in a dot as the
  // folder's own name has it, which a plain path would not keep.
  return WideToGbk(chosen ? ExactPath(file.c_str(), true) : guard.taken());
}

}  // namespace korvath::app
