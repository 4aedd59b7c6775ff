# Engine start-up and state, records and properties, callbacks, memory DCs,
# layered windows, tooltips and clipped DCs of the skin engine core.
if(KORVATH_WINDOWS)
  korvath_test(skin_core_record_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_list_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/window_props_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/callbacks_test.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
endif()
