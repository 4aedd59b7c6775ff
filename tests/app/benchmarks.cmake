# Benchmark programs of the tool, run by hand (not tests): they print figures
# as ratios against a reference measured in the same run.
if(KORVATH_WINDOWS)
  # The reader on a file with one very long line, against a plain read.
  add_executable(reader_benchmark ${CMAKE_CURRENT_LIST_DIR}/reader_benchmark.cpp)
  target_link_libraries(reader_benchmark PRIVATE korvath_options korvath_app ${KORVATH_WIN32_LIBS})
endif()
if(KORVATH_WINDOWS)
  # Start-up: the tool against the least program that shows such a window.
  add_executable(minimal_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/minimal_window.cpp)
  target_link_libraries(minimal_window PRIVATE korvath_options ${KORVATH_WIN32_LIBS})
  add_executable(startup_benchmark ${CMAKE_CURRENT_LIST_DIR}/startup_benchmark.cpp)
  target_link_libraries(startup_benchmark PRIVATE korvath_options ${KORVATH_WIN32_LIBS})
  target_link_options(startup_benchmark PRIVATE -municode)
  add_dependencies(startup_benchmark minimal_window KorvathNpc)
endif()
