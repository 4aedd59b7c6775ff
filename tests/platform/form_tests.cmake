# The file reader's line rules: native (sanitizers) and Windows.
korvath_test(text_lines_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_lines_test.cpp
  LIBS korvath_platform)
