# Shared compile settings and the helpers that every layer's CMakeLists uses.

add_library(korvath_options INTERFACE)
target_compile_options(korvath_options INTERFACE
  -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
target_include_directories(korvath_options INTERFACE ${CMAKE_SOURCE_DIR})

if(KORVATH_WINDOWS)
  target_compile_definitions(korvath_options INTERFACE
    WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0700 NOMINMAX STRICT)
  # A self-contained .exe: no mingw runtime DLLs under Wine or on Windows.
  target_link_options(korvath_options INTERFACE -static -static-libgcc -static-libstdc++)
  set(KORVATH_WIN32_LIBS gdiplus comctl32 comdlg32 shell32 shlwapi msimg32 ole32 oleaut32 uuid
      user32 gdi32 kernel32)
endif()

if(KORVATH_NATIVE AND KORVATH_SANITIZE)
  target_compile_options(korvath_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(korvath_options INTERFACE -fsanitize=address,undefined)
endif()

# korvath_test(<name> SOURCES <files...> [LIBS <targets...>] [WINDOWS_MAIN])
# One test program is one ctest entry, so Wine starts once per program, not
# once per test case. WINDOWS_MAIN links the support main that starts COM,
# common controls and GDI+ before the tests run.
function(korvath_test name)
  cmake_parse_arguments(T "WINDOWS_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE korvath_options ${T_LIBS})
  if(T_WINDOWS_MAIN)
    target_link_libraries(${name} PRIVATE korvath_win_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(KORVATH_WINDOWS)
    target_link_libraries(${name} PRIVATE ${KORVATH_WIN32_LIBS})
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(KORVATH_WINDOWS)
    set_tests_properties(${name} PROPERTIES
      RESOURCE_LOCK wine_display
      ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEARCH=win32;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")
  endif()
endfunction()
