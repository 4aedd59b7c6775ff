#pragma once
// The skin engine's panels over three boxes of the main window: the folder
// box, with the folder button that opens the folder chooser, and the HP and
// name boxes, which get a frame only.
#include <cstdint>

#include <windows.h>

namespace korvath::app {

// Steps 7 to 11 of the main window's set-up: the three panels, the folder
// button with its three pictures, and its click routine.
void PlaceFieldPanels();

// The panel objects of the three boxes (elements 1, 2 and 3 of ZqkWindows).
inline constexpr int kFolderPanel = 0;
inline constexpr int kHpPanel = 1;
inline constexpr int kNamePanel = 2;

}  // namespace korvath::app
