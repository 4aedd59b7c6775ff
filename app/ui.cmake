# The tool's window, handlers and dialogs (Win32), and the program itself.
if(KORVATH_WINDOWS)
  add_library(korvath_app STATIC
    ${CMAKE_CURRENT_LIST_DIR}/main_form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/form_setup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/field_handlers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_chooser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cjk_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/script_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/script_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/open_file_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/notice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/npc_tool.cpp)
  target_link_libraries(korvath_app PUBLIC korvath_app_logic korvath_model_names
                        korvath_skin_window korvath_platform ${KORVATH_WIN32_LIBS})

  add_executable(KorvathNpc WIN32 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
  target_link_libraries(KorvathNpc PRIVATE korvath_app korvath_options)
endif()
