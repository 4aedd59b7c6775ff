if(KORVATH_WINDOWS)
  korvath_test(gdi_object_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gdi_object_test.cpp
    LIBS korvath_platform korvath_win_test_support WINDOWS_MAIN)
endif()
