# The NPC tool's logic without Win32: the record and value tables, the
# ".pst" format with its validation, writer lines and reader parsing, the
# pinyin file name and path texts. Built in both builds, so it is tested
# natively under the sanitizers as well.
add_library(korvath_app_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/npc_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pinyin_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/npc_script.cpp
  ${CMAKE_CURRENT_LIST_DIR}/npc_script_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_paths.cpp)
target_link_libraries(korvath_app_logic PUBLIC korvath_platform korvath_options)
# The tool's own texts are GBK: narrow literals in its sources (UTF-8 files)
# are compiled to code page 936 bytes. Everything that links the tool's code
# (the program and its tests) compiles its literals the same way.
target_compile_options(korvath_app_logic PUBLIC -fexec-charset=GBK)
