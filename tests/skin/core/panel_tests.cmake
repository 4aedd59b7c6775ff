if(KORVATH_WINDOWS)
  # The panel registers itself through the container skin, so its tests link it.
  korvath_test(panel_window_tests SOURCES panel_window_test.cpp native_border_test.cpp
               LIBS korvath_skin_core korvath_skin_control korvath_win_test_support WINDOWS_MAIN)
endif()
