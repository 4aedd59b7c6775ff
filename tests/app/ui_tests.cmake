# The tool's real main window under Wine: start-up, handlers, writing,
# reading, the folder chooser and the message box.
if(KORVATH_WINDOWS)
  korvath_test(app_ui_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_fixture.cpp
            ${CMAKE_CURRENT_LIST_DIR}/main_window_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/generate_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/read_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/folder_chooser_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/message_box_cjk_test.cpp
    LIBS korvath_app korvath_win_test_support WINDOWS_MAIN)
endif()
