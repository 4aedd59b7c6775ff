if(KORVATH_WINDOWS)
  korvath_test(container_skin_tests SOURCES container_skin_test.cpp
               LIBS korvath_skin_core korvath_skin_control korvath_win_test_support WINDOWS_MAIN)
endif()
