# The tool's real main window under Wine: start-up, handlers, the folder
# chooser, the message box, writing and reading.
if(KORVATH_WINDOWS)
  korvath_test(app_ui_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_fixture.cpp
            ${CMAKE_CURRENT_LIST_DIR}/main_window_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/document_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/skinned_window_test.cpp
    LIBS korvath_app korvath_win_test_support WINDOWS_MAIN)
endif()
