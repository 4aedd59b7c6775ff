# The form runtime, the file commands and the GDI owners on real windows.
if(KORVATH_WINDOWS)
  korvath_test(form_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/form_test.cpp ${CMAKE_CURRENT_LIST_DIR}/gdi_object_test.cpp
    LIBS korvath_platform korvath_win_test_support WINDOWS_MAIN)
endif()
