# The form runtime and the Win32 side of the library commands (GBK
# conversion, files, folders); the line rules of the file reader build
# natively too, so the NPC reader's parsing can be fuzzed.
target_sources(korvath_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/text_lines.cpp)
if(KORVATH_WINDOWS)
  target_sources(korvath_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/gbk_convert.cpp
    ${CMAKE_CURRENT_LIST_DIR}/files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/form.cpp)
endif()
