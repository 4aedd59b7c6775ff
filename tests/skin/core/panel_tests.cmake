if(KORVATH_WINDOWS)
  korvath_test(native_border_tests SOURCES native_border_test.cpp
               LIBS korvath_skin_core korvath_win_test_support WINDOWS_MAIN)

  # A skinned test form and solid-colour pictures, shared with the container tests.
  add_library(korvath_panel_test_fixture STATIC panel_fixture.cpp)
  target_link_libraries(korvath_panel_test_fixture PUBLIC korvath_skin_core korvath_win_test_support)

  # The panel registers itself through the container skin, so its tests link it.
  korvath_test(panel_window_tests SOURCES panel_window_test.cpp
               LIBS korvath_panel_test_fixture korvath_skin_control WINDOWS_MAIN)
  korvath_test(panel_input_tests SOURCES panel_input_test.cpp
               LIBS korvath_panel_test_fixture korvath_skin_control WINDOWS_MAIN)
  korvath_test(panel_picture_tests SOURCES panel_picture_test.cpp
               LIBS korvath_panel_test_fixture korvath_skin_control WINDOWS_MAIN)
endif()
