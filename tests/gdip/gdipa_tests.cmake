if(KORVATH_WINDOWS)
  add_library(korvath_gdipa_test_support STATIC gdipa_test_support.cpp)
  target_link_libraries(korvath_gdipa_test_support PUBLIC korvath_gdip korvath_win_test_support)

  korvath_test(gdip_object_tests
    SOURCES object_test.cpp
    LIBS korvath_gdip korvath_win_test_support WINDOWS_MAIN)
  korvath_test(gdip_image_tests
    SOURCES image_test.cpp
    LIBS korvath_gdip korvath_win_test_support WINDOWS_MAIN)
  korvath_test(gdip_region_tests
    SOURCES region_test.cpp
    LIBS korvath_gdipa_test_support WINDOWS_MAIN)
  korvath_test(gdip_text_tests
    SOURCES font_test.cpp string_format_test.cpp
    LIBS korvath_gdipa_test_support WINDOWS_MAIN)
endif()
