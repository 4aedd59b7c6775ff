# Each folder's CMakeLists includes the *.cmake fragments beside it, so that
# parts of one layer can be added by separate changes without touching a
# shared file.
macro(korvath_include_fragments)
  file(GLOB _korvath_fragments CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT _korvath_fragments)
  foreach(_f ${_korvath_fragments})
    include(${_f})
  endforeach()
endmacro()
