# Benchmark programs of the tool, run by hand (not tests): they print figures
# as ratios against a reference measured in the same run.
if(KORVATH_WINDOWS)
  # The reader on a file with one very long line, against a plain read.
  add_executable(reader_benchmark ${CMAKE_CURRENT_LIST_DIR}/reader_benchmark.cpp)
  target_link_libraries(reader_benchmark PRIVATE korvath_options korvath_app ${KORVATH_WIN32_LIBS})
endif()
