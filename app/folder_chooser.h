#pragma once
// The document folder chooser behind the folder button.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/gbk_convert.h"

namespace korvath::app {

// The folder that the folder dialog selects when it opens.
std::string& BrowseInitialFolder();

// The folder button's click routine; `entry` is the 1-based number of the
// panel entry that was clicked.
void NpcChooseDocumentFolderClick(int entry);

// Shows the shell's folder dialog and returns the chosen folder exactly as
// the dialog names it, in a form that names it to the file functions
// (ExactPath, platform/long_paths.h), or an empty text when the user
// cancelled (or chose something that is not a folder of the file system). A
// folder whose name has characters that GBK lacks comes back not `exact`.
platform::GbkText BrowseForFolder(std::optional<std::string_view> title = std::nullopt, bool includeFiles = false,
                                  std::optional<std::string_view> initialFolder = std::nullopt,
                                  bool editBox = false, bool newStyle = true, HWND owner = nullptr);

int CALLBACK BrowseForFolderCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);

}  // namespace korvath::app
