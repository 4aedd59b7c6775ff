# Library text commands and the pinyin table: no Win32, so both builds have them.
target_sources(korvath_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/text_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pinyin.cpp)
