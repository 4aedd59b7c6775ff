# GDI handle owners with their live-object count, and the GDI+ start-up token.
if(KORVATH_WINDOWS)
  target_sources(korvath_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/gdi_object.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdiplus_startup.cpp)
endif()
