# The panels of the running tool: the folder button under real input and the
# boxes' handlers under their panels.
if(KORVATH_WINDOWS)
  korvath_test(app_panel_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_fixture.cpp
            ${CMAKE_CURRENT_LIST_DIR}/field_panels_test.cpp
    LIBS korvath_app korvath_win_test_support WINDOWS_MAIN)
endif()
