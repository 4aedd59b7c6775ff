#include "app/field_panels.h"

#include "app/folder_chooser.h"
#include "app/handler_guard.h"
#include "app/main_form_layout.h"
#include "app/main_window.h"
#include "app/pictures.h"
#include "skin/engine/panel.h"
#include "skin/engine/picture.h"

namespace korvath::app {

namespace {

constexpr int kFolderButtonWidth = 20;
constexpr int kFolderButtonHeight = 15;

// A panel over a box with every setting at its default and an empty picture.
void CreatePanel(int panel, Unit box) {
  const skin::SkinPicture picture;
  skin::ZqkWindows()[panel].Create(MainForm().UnitGetHandle(box), std::nullopt, std::nullopt,
                                   std::nullopt, std::nullopt, picture);
}

}  // namespace

void PlaceFieldPanels() {
  CreatePanel(kFolderPanel, 目录编辑框);
  skin::ZqkWindows()[kFolderPanel].AddEntry(
      assets::FolderButtonNormalPng(), assets::FolderButtonHoverPng(),
      assets::FolderButtonPressedPng(), kFolderButtonWidth, kFolderButtonHeight);
  CreatePanel(kHpPanel, HP编辑框);
  CreatePanel(kNamePanel, 名字编辑框);
  skin::ZqkWindows()[kFolderPanel].SetCallback(&GuardedEntry<&NpcChooseDocumentFolderClick>);
}

}  // namespace korvath::app
