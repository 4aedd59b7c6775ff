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

// What the folder dialog gave back.
struct ChosenFolder {
  // The chosen folder's whole path, exactly as the dialog names it, in a
  // form that names it to the file functions (ExactPath,
  // platform/long_paths.h); empty when the user cancelled (or chose
  // something that is not a folder of the file system), or when
  // `noWholePath`. A folder whose name has characters that GBK lacks comes
  // back not `exact`.
  platform::GbkText path;
  // A folder was chosen whose whole path could not be had: the shell gives
  // a path of MAX_PATH characters or more cut short (under Wine), and the
  // names by which its items are found in their folders, put together, did
  // not lead the file functions to a folder (it was moved away or replaced
  // after the dialog listed it, or Wine's dialog showed it inside a folder
  // of 260 characters or more, where it lists the folder of the cut path).
  bool noWholePath = false;
};

// Shows the shell's folder dialog and returns what was chosen.
ChosenFolder BrowseForFolder(std::optional<std::string_view> title = std::nullopt, bool includeFiles = false,
                             std::optional<std::string_view> initialFolder = std::nullopt,
                             bool editBox = false, bool newStyle = true, HWND owner = nullptr);

// The notice for a folder chosen in the dialog whose whole path could not be
// had; the box keeps the folder it held.
std::string_view NoWholePathMessage();

int CALLBACK BrowseForFolderCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);

}  // namespace korvath::app
