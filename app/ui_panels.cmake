# The skin engine's panels over the folder, HP and name boxes (with the folder
# button), which the main window's set-up places.
if(KORVATH_WINDOWS)
  target_sources(korvath_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/field_panels.cpp)
  target_link_libraries(korvath_app PUBLIC korvath_skin_control korvath_skin_core)
endif()
