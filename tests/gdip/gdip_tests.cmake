if(KORVATH_WINDOWS)
  korvath_test(gdip_object_tests
    SOURCES object_test.cpp
    LIBS korvath_gdip korvath_win_test_support WINDOWS_MAIN)
  korvath_test(gdip_image_tests
    SOURCES image_test.cpp
    LIBS korvath_gdip korvath_win_test_support WINDOWS_MAIN)
  korvath_test(gdip_drawing_tests
    SOURCES drawing_test.cpp pen_path_brush_test.cpp text_test.cpp
    LIBS korvath_gdip korvath_win_test_support WINDOWS_MAIN)

  # Not a test: prints how long a frame takes through the wrappers and
  # through the flat API directly.
  add_executable(gdip_benchmark gdip_benchmark.cpp)
  target_link_libraries(gdip_benchmark PRIVATE korvath_options korvath_gdip ${KORVATH_WIN32_LIBS})
endif()
