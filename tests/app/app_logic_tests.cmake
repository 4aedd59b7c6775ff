# The NPC tool's logic without a window: native (sanitizers) and Windows.
korvath_test(app_logic_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/npc_script_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/npc_script_reader_test.cpp
  LIBS korvath_app_logic korvath_model_names korvath_platform)
