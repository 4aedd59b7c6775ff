# The file reader's line rules: native (sanitizers) and Windows.
korvath_test(text_lines_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_lines_test.cpp
  LIBS korvath_platform)
if(KORVATH_WINDOWS)
  korvath_test(form_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/form_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gbk_files_test.cpp
    LIBS korvath_platform korvath_win_test_support WINDOWS_MAIN)
endif()
