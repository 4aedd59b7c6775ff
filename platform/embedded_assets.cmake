# The program's own pictures (assets/, made by tools/make_assets.sh), built in
# as embedded-image constants.
include(${CMAKE_SOURCE_DIR}/cmake/embed.cmake)
target_sources(korvath_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/embedded_assets.cpp)
korvath_embed_assets(korvath_platform korvath::assets
  EmbeddedBackgroundJpeg=${CMAKE_SOURCE_DIR}/assets/background.jpg
  EmbeddedFolderButtonNormalPng=${CMAKE_SOURCE_DIR}/assets/folder_normal.png
  EmbeddedFolderButtonHoverPng=${CMAKE_SOURCE_DIR}/assets/folder_hover.png
  EmbeddedFolderButtonPressedPng=${CMAKE_SOURCE_DIR}/assets/folder_pressed.png)
