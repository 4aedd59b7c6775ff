# Engine start-up and state, records and properties, callbacks, memory DCs,
# layered windows, tooltips, clipped DCs and the drop shadow of the skin
# engine core.
if(KORVATH_WINDOWS)
  korvath_test(skin_core_record_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/records_test.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
  korvath_test(skin_core_surface_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/surfaces_test.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
  # Leak checks over many cycles, apart so that their run time shows alone.
  korvath_test(skin_core_cycle_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/resource_cycles_test.cpp
    LIBS korvath_skin_core korvath_win_test_support
    WINDOWS_MAIN)
endif()
