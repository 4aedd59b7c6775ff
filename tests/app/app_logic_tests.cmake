# The NPC tool's logic without a window: native (sanitizers) and Windows.
korvath_test(app_logic_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/value_tables_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/npc_script_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/npc_script_reader_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/npc_script_fuzz_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pinyin_name_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/file_paths_test.cpp
  LIBS korvath_app_logic)
