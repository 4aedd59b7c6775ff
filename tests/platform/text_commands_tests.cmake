# Text commands, pinyin and embedded pictures: native (sanitizers) and Windows.
korvath_test(text_commands_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_commands_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/embedded_assets_test.cpp
  LIBS korvath_platform)
