# Drawing values, geometry helpers, rounded paths, control text, the image
# strip and the IP-address dots of the skin engine core.
if(KORVATH_WINDOWS)
  korvath_test(skin_core_drawing_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skinned_form.cpp
            ${CMAKE_CURRENT_LIST_DIR}/drawing_test.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
endif()
