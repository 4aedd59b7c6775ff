# Parent backgrounds, the child layer, control backgrounds, owner-drawn items
# and the skin picture of the skin engine core.
if(KORVATH_WINDOWS)
  korvath_test(skin_core_painting_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/painting_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/skinned_form.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
endif()
