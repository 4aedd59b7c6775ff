# Text commands, pinyin and embedded pictures: native (sanitizers) and Windows.
add_library(korvath_text_command_properties STATIC ${CMAKE_CURRENT_LIST_DIR}/text_commands_properties.cpp)
target_link_libraries(korvath_text_command_properties PUBLIC korvath_platform)

korvath_test(text_commands_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_commands_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/text_commands_fuzz_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pinyin_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/embedded_assets_test.cpp
  LIBS korvath_text_command_properties korvath_platform)

# Coverage-guided fuzzing needs clang's -fsanitize=fuzzer; not part of ctest.
if(KORVATH_NATIVE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(text_commands_fuzzer EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/text_commands_fuzzer.cpp)
  target_compile_options(text_commands_fuzzer PRIVATE -fsanitize=fuzzer)
  target_link_options(text_commands_fuzzer PRIVATE -fsanitize=fuzzer)
  target_link_libraries(text_commands_fuzzer PRIVATE korvath_options korvath_text_command_properties)
endif()
