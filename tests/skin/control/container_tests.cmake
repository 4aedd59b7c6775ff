if(KORVATH_WINDOWS)
  korvath_test(container_skin_tests SOURCES container_skin_test.cpp
               LIBS korvath_panel_test_fixture korvath_skin_control WINDOWS_MAIN)
endif()
