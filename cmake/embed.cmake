# korvath_embed_assets(<target> <namespace> <Name>=<file> ...)
#
# Builds files into <target> as constants in the embedded-image layout (a
# 32-bit little-endian dimension count of 1, a 32-bit little-endian byte length
# N, then the N bytes of the file), the form in which the GDI+ library takes a
# picture from memory. For each <Name> the generated source defines
#
#   std::span<const uint8_t> <namespace>::<Name>();   // header + file bytes
#
# which the caller declares in its own header. <file> is relative to the
# calling CMakeLists' folder unless absolute. The source is generated at build
# time (so an edited picture is picked up) and works in both builds. Example:
#
#   korvath_embed_assets(korvath_skin_core korvath::skin CloseGlyph=glyphs/close.png)
include_guard(GLOBAL)

# Cached, so that callers in other folders than the first includer see it too
# (include_guard keeps later includes from setting it in their own scope).
set(KORVATH_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_files.cmake CACHE INTERNAL "")

function(korvath_embed_assets target namespace)
  set(entries)
  set(files)
  foreach(item ${ARGN})
    if(NOT item MATCHES "^([A-Za-z_][A-Za-z0-9_]*)=(.+)$")
      message(FATAL_ERROR "korvath_embed_assets: '${item}' is not Name=file")
    endif()
    set(name ${CMAKE_MATCH_1})
    get_filename_component(file "${CMAKE_MATCH_2}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND entries "${name}=${file}")
    list(APPEND files "${file}")
  endforeach()
  string(MAKE_C_IDENTIFIER "${target}_${namespace}" stem)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${stem}.cpp)
  string(REPLACE ";" "|" entry_arg "${entries}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${output}" "-DNAMESPACE=${namespace}" "-DENTRIES=${entry_arg}"
            -P ${KORVATH_EMBED_SCRIPT}
    DEPENDS ${files} ${KORVATH_EMBED_SCRIPT}
    COMMENT "Embedding ${target} pictures (${namespace})"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
