if(KORVATH_WINDOWS)
  korvath_test(gdip_object_tests
    SOURCES object_test.cpp
    LIBS korvath_gdip korvath_win_test_support WINDOWS_MAIN)
endif()
