#!/usr/bin/env bash
# The layer check (tools/check_layers.sh) on a copy of the program's folders
# with one include added at a time, the objects it touches compiled anew from
# the copy with their builds' own commands (tests/tools/compile_planted.py)
# and handed to the check beside the builds' records of the rest: an include
# that reaches above its folder's floor fails the check, which names the
# object and the header, however the compiler comes to it: its path's "."
# and ".." steps, beside the file or from the root, the tool's naming a
# header of a family among them; its directive's spelling (a comment inside
# it, a line continued by a backslash, "# include", "%:include"); a macro; a
# byte-order mark before it; a header of an extension of its own, one under
# a folder named build/, a link inside the tree, an include folder or a
# forced include (a precompiled one too) in a target's options; a side of a
# platform's "#if" that only one build compiles. One that lands on the floor
# passes, and so does one that is no include (commented out, in a string,
# kept out by "#if 0"). A header that no object opens is named; so is one of
# the front door that includes above what the door's headers stand on. So do
# BeginPaint and EndPaint outside the platform's paint scope, and an include
# of the engine's state (or of a header that includes it) back into a module
# it includes. Prints each case and exits non-zero if one goes wrong.
#
# Usage: tests/tools/check_layers_test.sh <source folder> <windows build folder> <native build folder>
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
windows_build=$(realpath -m "${2:-$root/build/win}")
native_build=$(realpath -m "${3:-$root/build/native}")
copy=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$copy" "$work" "$windows_build/layer_case_$$.h"' EXIT
# The tests and benchmarks too: their objects open the program's headers.
cp -r "$root/app" "$root/gdip" "$root/platform" "$root/skin" "$root/tests" "$root/bench" "$copy"

# what the check says | the file planted in (the lines added at its end; "^"
# before its name: at its start; a file not in the tree is made) | what the
# check names ("line": the line added, as file:number:text) | the added lines
# (\n between two) | what else is done, ";" between two steps: "new FILE:
# LINE" (a file made; "{windows}/" before its name: in the Windows build
# folder; "{pid}": this test's process number), "link PATH: TARGET", "options OPTIONS" (added to the
# commands compiled anew), "pch HEADER" (made a precompiled header first),
# "compile" (compiled whole, -c -MD, as the build does; else only listed,
# -M), "anew SOURCE..." (the objects compiled anew, none when empty; else
# those of the planted source, or those whose record opens the planted
# header)
cases=(
  'fails|skin/shadow/shadow_window.cpp|skin/shadow/shadow_window.cpp opens skin/form/form_attach.h|#include "skin/draw/../form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|skin/shadow/shadow_window.cpp opens skin/form/form_attach.h|#include "skin/shadow/../form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|skin/shadow/shadow_window.cpp opens skin/form/form_attach.h|#include <skin/./form/form_attach.h>'
  'fails|skin/shadow/shadow_window.cpp|skin/shadow/shadow_window.cpp opens skin/form/form_attach.h|#include "./skin/form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|skin/shadow/shadow_window.cpp opens skin/form/form_attach.h|#include "../form/form_attach.h"'
  'fails|platform/form.cpp|platform/form.cpp opens app/notice.h|#include "platform/../app/notice.h"'
  # The tool reaches the engine through its front door alone, and no family
  # of the engine reaches up to the front door.
  'fails|app/form_setup.cpp|app/form_setup.cpp opens skin/form/form_attach.h|#include "skin/form/form_attach.h"'
  'fails|app/notice.cpp|app/notice.cpp opens skin/message_box/message_box.h|#include "../skin/message_box/message_box.h"'
  'fails|skin/message_box/message_box.cpp|skin/message_box/message_box.cpp opens skin/engine/start.h|#include "skin/engine/start.h"'
  'passes|app/notice.cpp||#include "skin/engine/message_box.h"'
  # The values come to the tool through the door's headers, so its objects
  # open them; a value named by a line of the tool's own, the header check
  # refuses, which reads who opened what (tests/tools/check_app_headers_test.sh
  # holds these two lines).
  'passes|app/notice.cpp||#include "skin/values/skin_picture.h"'
  'passes|app/notice.h||#include "../skin/values/form_settings.h"|anew app/notice.cpp'
  'passes|skin/engine/picture.h||#include "skin/values/byte_set.h"'
  # A header of the door includes of the engine the values alone, though
  # only the tool and the tests open it: compiled alone, it says what it
  # includes.
  'fails|skin/engine/picture.h|skin/engine/picture.h opens app/notice.h (Windows build, compiled alone)|#include "app/notice.h"'
  'fails|skin/engine/panel.h|skin/engine/panel.h opens skin/core/window_props.h (Windows build, compiled alone)|#include "skin/core/window_props.h"'
  'fails|skin/engine/drawing_values.h|skin/engine/drawing_values.h opens skin/core/engine_state.h (Windows build, compiled alone)|#include "skin/core/engine_state.h"'
  # An include named by a macro leads where the compiler takes it.
  'fails|app/notice.cpp|app/notice.cpp opens skin/core/engine_state.h|#define H "skin/core/engine_state.h"\n#include H'
  'fails|skin/shadow/shadow_window.cpp|skin/shadow/shadow_window.cpp opens skin/form/form_attach.h|#define H "skin/form/form_attach.h"\n#  include H'
  'passes|app/notice.cpp||#define H "skin/engine/message_box.h"\n#include H'
  'passes|app/notice.cpp||#define H "skin/core/engine_state.h"'
  'passes|skin/shadow/shadow_window.cpp||#include "skin/form/../core/window_record.h"'
  'passes|skin/shadow/shadow_window.cpp||#include "../core/window_record.h"'
  # The directive as the preprocessor reads it: a comment is a blank (one
  # that spans lines joins them), a backslash at a line's end joins the next
  # line (blanks after it too, as GCC takes it), wherever it stands in the
  # directive; "#" may be "%:", and GCC's include_next and import include.
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include /* upward */ "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include \\\n"skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include \\ \n"skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#\\\ninclude "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#inc\\\nlude "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include /* a comment\n   that spans lines */ "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|/* a comment that ends\n*/ #include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|/* before it */ #include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|# include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#  include <skin/form/form_attach.h>'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#/* between */include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|%:include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include_next "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#import "skin/form/form_attach.h"'
  'passes|app/notice.cpp||#define H "skin/engine/message_box.h"\n#include \\\nH'
  # An include kept out of the build is none; each side of a platform's
  # "#if" is read where a build compiles it, the native side too.
  'passes|skin/core/engine_startup.cpp||#if 0\n#include "skin/form/form_attach.h"\n#endif'
  'fails|platform/pinyin.cpp|platform/pinyin.cpp opens app/npc_record.h (Windows build)|#ifdef _WIN32\n#include "app/npc_record.h"\n#endif'
  'fails|platform/pinyin.cpp|platform/pinyin.cpp opens app/npc_record.h (native build)|#ifndef _WIN32\n#include "app/npc_record.h"\n#endif'
  # Between "<" and ">" no "//" is a comment.
  'passes|skin/shadow/shadow_window.cpp||#include <skin//core/window_record.h>'
  # No include: a string that holds one, a raw string whose lines do, and
  # one commented out, by a comment that spans lines or a "//" comment
  # continued by a backslash.
  'passes|skin/core/engine_startup.cpp||const char* const kLine = "#include \"skin/form/form_attach.h\"";'
  'passes|skin/core/engine_startup.cpp||const char* const kLines = R"(\n#include "skin/form/form_attach.h"\n)";'
  'passes|skin/core/engine_startup.cpp||// #include "skin/form/form_attach.h"'
  'passes|skin/core/engine_startup.cpp||/*\n#include "skin/form/form_attach.h"\n*/'
  'passes|skin/core/engine_startup.cpp||// a comment continued \\\n#include "skin/form/form_attach.h"'
  # What the compiler takes that no line says: a byte-order mark before the
  # file's first line; a header of an extension of its own, or under a
  # folder named build/; a link inside the tree, which counts for the folder
  # it leads to; an include folder, a forced include and a precompiled one
  # in a target's options; a header no object opens.
  'fails|^skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|\xef\xbb\xbf#include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include "skin/core/up.ipp"|new skin/core/up.ipp: #include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include "skin/core/up.hh"|new skin/core/up.hh: #include "skin/form/form_attach.h"'
  'fails|skin/core/up.hh|skin/core/up.hh|#include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens build/up.h|#include "build/up.h"|new build/up.h: #include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h (as skin/core/up/form_attach.h)|#include "skin/core/up/form_attach.h"|link skin/core/up: ../form'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h|#include "form_attach.h"|options -I{copy}/skin/form'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h||options -include skin/form/form_attach.h'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h||options -imacros skin/form/form_attach.h'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h||new skin/core/up.h: #include "skin/form/form_attach.h";pch skin/core/up.h;options -include skin/core/up.h;compile'
  # A file of a build folder is the build's own (as the header a build makes
  # to precompile): what it includes counts, not where it lies.
  'passes|skin/core/engine_startup.cpp|||new {windows}/layer_case_{pid}.h: #include "skin/core/window_record.h";options -include {windows}/layer_case_{pid}.h'
  'fails|skin/core/engine_startup.cpp|skin/core/engine_startup.cpp opens skin/form/form_attach.h||new {windows}/layer_case_{pid}.h: #include "skin/form/form_attach.h";options -include {windows}/layer_case_{pid}.h'
  # A module that the engine's state includes does not include it back,
  # however the include is spelt, nor a header that includes it.
  'fails|skin/core/window_record.h|skin/core/window_record.cpp opens skin/core/engine_state.h|#include \\\n"skin/core/engine_state.h"|anew skin/core/window_record.cpp'
  'fails|skin/core/window_record.cpp|skin/core/window_record.cpp opens skin/core/window_list.h|#include "skin/core/window_list.h"'
  'fails|skin/core/window_record.cpp|skin/core/window_record.cpp opens skin/core/engine_startup.h|#include "skin/core/engine_startup.h"'
  'fails|skin/core/entry_list.h|skin/core/engine_state.h opens skin/core/window_list.h (Windows build, compiled alone)|#include "skin/core/window_list.h"|anew'
  'fails|skin/core/menu_entries.h|skin/core/menu_entries.h opens skin/core/engine_state.h (Windows build, compiled alone)|#include "skin/core/engine_state.h"|anew'
  # BeginPaint and EndPaint in the platform's paint scope alone: not beside
  # it in platform/, nor in its header, nor above.
  'fails|platform/form.cpp|line|void Painted(HWND window) { PAINTSTRUCT paint; BeginPaint(window, &paint); }'
  'fails|platform/gdi_object.h|line|inline void Painted(HWND window, PAINTSTRUCT& paint) { EndPaint(window, &paint); }|anew'
  'fails|skin/form/form_window_proc.cpp|line|void Painted(HWND window) { PAINTSTRUCT paint; BeginPaint(window, &paint); }'
  'passes|platform/gdi_object.cpp||void Painted(HWND window) { PAINTSTRUCT paint; EndPaint(window, &paint); }'
  # (A lock taken or released by hand is refused by the objects' symbols:
  # tests/tools/check_library_symbols_test.sh.)
)

. "$(dirname "$0")/planted_cases.sh"
builds=("$windows_build" "$native_build")
if ! "$root/tools/check_layers.sh" "$copy" "${builds[@]}" >/dev/null 2>&1; then
  echo "the copy as it is fails the check:" >&2
  "$root/tools/check_layers.sh" "$copy" "${builds[@]}" >&2
  exit 1
fi
# Without both builds the check says which it lacks, and ends 2.
for given in "$work/no build|$native_build|holds no Ninja build" \
             "$native_build|$windows_build|is no Windows build" \
             "$windows_build|$windows_build|is no native build"; do
  IFS='|' read -r first second named <<< "$given"
  said=$("$root/tools/check_layers.sh" "$copy" "$first" "$second" 2>&1)
  got="ends $?"
  [[ $said == *"$named"* ]] || got="$got without saying it $named"
  planted_report "the builds given: $first, $second" "ends 2" "$got" "$said"
done
# An object of the program whose build holds no list of what it opened (as
# one not compiled yet) is named, not passed.
: > "$work/empty.d"
object=$(sed -n 's/^\(.*engine_startup\.cpp\.obj\): #deps.*/\1/p' <(cd "$windows_build" && ninja -t deps))
printf '[{"build": "%s", "object": "%s", "directory": "%s", "file": "%s", "command": "c++", "deps": "%s"}]\n' \
  "$windows_build" "$object" "$windows_build" "$copy/skin/core/engine_startup.cpp" "$work/empty.d" > "$work/planted.json"
said=$("$root/tools/check_layers.sh" "$copy" "${builds[@]}" --planted "$work/planted.json" 2>&1)
got=$(planted_verdict $?)
named="has not compiled these sources (no list of what they open): build it first:"$'\n'"  skin/core/engine_startup.cpp"
if [ "$got" = fails ] && [[ $said != *"$named"* ]]; then got="fails without naming skin/core/engine_startup.cpp"; fi
planted_report "no list of what skin/core/engine_startup.cpp opened" fails "$got" "$said"
# A floor that does not hold its floor's floors (or what the headers of a
# folder on it include) fails the check: the tool's without the values that
# the door's headers include.
mkdir "$work/tools"
cp "$root/tools/layer_includes.py" "$work/tools"
sed 's/^  "app|platform skin\/values skin\/engine"$/  "app|platform skin\/engine"/' "$root/tools/check_layers.sh" \
  > "$work/tools/check_layers.sh"
chmod +x "$work/tools/check_layers.sh"
said=$("$work/tools/check_layers.sh" "$copy" "${builds[@]}" 2>&1)
got=$(planted_verdict $?)
named="app/ stands on skin/engine/, whose headers include skin/values/, not on app/'s floor"
if [ "$got" = fails ] && [[ $said != *"$named"* ]]; then got="fails without naming $named"; fi
planted_report "the tool's floor without skin/values" fails "$got" "$said"

for entry in "${cases[@]}"; do
  IFS='|' read -r expected file named lines steps <<< "$entry"
  at=end
  [[ $file == ^* ]] && at=start file=${file#^}
  made=()
  [ -e "$copy/$file" ] && cp "$copy/$file" "$work/kept" || made+=("$file")
  options="" pch="" how="" anew=default
  steps=${steps//\{windows\}/$windows_build}
  IFS=';' read -ra actions <<< "${steps//\{pid\}/$$}"
  for action in "${actions[@]}"; do
    case $action in
      new\ /*) path=${action#new }; printf '%s\n' "${path#*: }" > "${path%%: *}"; made+=("${path%%: *}") ;;
      new\ *) path=${action#new }; mkdir -p "$copy/$(dirname "${path%%: *}")"
              printf '%s\n' "${path#*: }" > "$copy/${path%%: *}"; made+=("${path%%: *}") ;;
      link\ *) path=${action#link }; ln -s "${path#*: }" "$copy/${path%%: *}"; made+=("${path%%: *}") ;;
      options\ *) options=${action#options } ;;
      pch\ *) pch=${action#pch }; made+=("$pch.gch") ;;
      compile) how=--compile ;;
      anew*) anew=${action#anew}; anew=${anew# } ;;
    esac
  done
  if [ $at = start ]; then
    { printf '%b\n' "$lines"; cat "$work/kept"; } > "$copy/$file"
  else
    printf '%b\n' "$lines" >> "$copy/$file"
  fi
  number=$(wc -l < "$copy/$file")
  # The objects the planted lines reach, compiled anew.
  compiled=()
  if [ "$anew" = default ]; then
    case $file in
      *.cpp) compiled=(--source "$file") ;;
      *) compiled=(--opening "$file") ;;
    esac
  else
    for source in $anew; do compiled+=(--source "$source"); done
  fi
  said=$(python3 "$root/tests/tools/compile_planted.py" "$copy" "$work/planted.json" "${compiled[@]}" \
           --options="$options" ${pch:+--pch "$pch"} $how "${builds[@]}" 2>&1) &&
  said=$("$root/tools/check_layers.sh" "$copy" "${builds[@]}" --planted "$work/planted.json" 2>&1)
  got=$(planted_verdict $?)
  # Of lines added together, the last is the one a line's check names.
  [ "$named" = line ] && named="$file:$number:${lines##*\\n}"
  if [ "$got" = fails ] && [[ $said != *"$named"* ]]; then got="fails without naming $named"; fi
  planted_report "$file (at its $at): $lines${steps:+ ($steps)}" "$expected" "$got" "$said"
  if [ ${#made[@]} != 0 ] && [ "${made[0]}" = "$file" ]; then :; else mv "$work/kept" "$copy/$file"; fi
  for path in "${made[@]}"; do
    case $path in
      /*) rm -f "$path" ;;
      *) rm -rf "${copy:?}/$path" ;;
    esac
  done
done
exit $status
