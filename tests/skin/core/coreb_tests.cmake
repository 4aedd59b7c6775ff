# Drawing values, rounded paths, control text, the image strip and the
# geometry helpers of the skin engine core.
if(KORVATH_WINDOWS)
  korvath_test(skin_core_geometry_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/drawing_values_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/border_geometry_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tab_page_rect_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/child_layout_test.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
endif()
if(KORVATH_WINDOWS)
  korvath_test(skin_core_drawing_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_bytes.cpp
            ${CMAKE_CURRENT_LIST_DIR}/image_strip_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/rounded_path_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/control_text_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ip_address_dots_test.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
endif()
