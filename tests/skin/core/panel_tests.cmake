if(KORVATH_WINDOWS)
  korvath_test(native_border_tests SOURCES native_border_test.cpp
               LIBS korvath_skin_core korvath_win_test_support WINDOWS_MAIN)
endif()
