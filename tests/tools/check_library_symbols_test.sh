#!/usr/bin/env bash
# The check of the libraries' symbols (tools/check_library_symbols.py) on a
# copy of the Windows build's libraries and of the tool's program with one
# object added at a time: an object that calls a function of a folder above
# its library's (or beside it) fails the check, which names the library and
# the function; so does an object of the tool that calls a function of the
# engine that the engine's front door does not declare, declared by hand
# (or a friend's). One that calls a function of its own floor, or, in the
# tool, one that the front door declares (defined in the door or in a
# family), passes. Prints each case and exits non-zero if one goes wrong.
#
# Usage: tests/tools/check_library_symbols_test.sh <source folder> <windows build folder> <c++ compiler> <ar>
set -uo pipefail
root=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
compiler=$3
archiver=$4
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
(cd "$build" && find . -name 'libkorvath_*.a' -exec cp --parents {} "$copy" \;)
(cd "$build" && find app/CMakeFiles/KorvathNpc.dir -name '*.obj' -exec cp --parents {} "$copy" \;)
# The check reads what the front door declares with a tool source's command.
cp "$build/compile_commands.json" "$copy"

# what the check says | the library planted in (or the tool's program) | the
# function called (in korvath::<namespace>) and the types it takes | the
# folder that defines it
cases=(
  # The draw floor reaching into the engine's state again.
  'fails|skin/draw/libkorvath_skin_draw.a|skin::SkinEngineReset|skin/core'
  # The core reaching up to the front door's start.
  'fails|skin/core/libkorvath_skin_core.a|skin::SkinEngineStart|skin/engine'
  'fails|platform/libkorvath_platform.a|app::RunNpcProgram|app'
  # Beside: neither of the two folders stands on the other.
  'fails|skin/button/libkorvath_skin_button.a|skin::TreeCheckImage|skin/edit'
  'passes|skin/core/libkorvath_skin_core.a|skin::SkinMemoryDcList|'
  'passes|app/libkorvath_app.a|skin::SkinEngineStart|'
  'passes|app/libkorvath_app.a|skin::SkinEngineShutdown|'
  # Declared at the door, defined in a family.
  'passes|app/libkorvath_app.a|skin::SkinGetClassNameText(HWND)|'
  'passes|app/KorvathNpc|skin::SkinEngineShutdown|'
  # The tool declaring an inner function of the engine by hand and calling it.
  'fails|app/libkorvath_app.a|skin::SkinInvalidateVisibleChildren(HWND)|skin/core'
  'fails|app/KorvathNpc|skin::SkinInvalidateVisibleChildren(HWND)|skin/core'
  'fails|app/libkorvath_app_layout.a|skin::SkinEngineReset|skin/core'
  # The door's friend, the engine's tests' way to a panel's insides.
  'fails|app/libkorvath_app.a|skin::PanelInsides(korvath::skin::ZqkWindow&)|skin/engine'
)

. "$(dirname "$0")/planted_cases.sh"
if ! python3 "$root/tools/check_library_symbols.py" "$copy" >/dev/null 2>&1; then
  echo "the libraries as they are fail the check" >&2
  exit 1
fi
for entry in "${cases[@]}"; do
  IFS='|' read -r expected library function folder <<< "$entry"
  namespace=${function%%::*}
  name=${function#*::}
  name=${name%%(*}
  types=
  [[ $function == *'('* ]] && types=${function#*(} && types=${types%)}
  # The planted function hands its own parameters on.
  parameters= arguments=
  IFS=',' read -ra list <<< "$types"
  for i in "${!list[@]}"; do
    parameters+="${parameters:+, }${list[$i]} a$i"
    arguments+="${arguments:+, }a$i"
  done
  printf '#include <windows.h>\nnamespace korvath::skin { class ZqkWindow; }\n' > "$copy/planted.cpp"
  printf 'namespace korvath::%s { void %s(%s); }\nextern "C" void korvath_planted(%s) { korvath::%s::%s(%s); }\n' \
    "$namespace" "$name" "$types" "$parameters" "$namespace" "$name" "$arguments" >> "$copy/planted.cpp"
  if ! "$compiler" -std=c++20 -c "$copy/planted.cpp" -o "$copy/planted.obj"; then
    echo "WRONG: the planted call of $function does not compile" >&2
    status=1
    continue
  fi
  if [[ $library == *.a ]]; then
    cp "$copy/$library" "$copy/$library.kept"
    "$archiver" r "$copy/$library" "$copy/planted.obj"
  else
    cp "$copy/planted.obj" "$copy/${library%/*}/CMakeFiles/${library##*/}.dir/planted.obj"
  fi
  said=$(python3 "$root/tools/check_library_symbols.py" "$copy" 2>&1)
  got=$(planted_verdict $?)
  if [ "$got" = fails ] && [[ $said != *"$library needs korvath::$namespace::$name("*"), which $folder/ defines"* ]]; then
    got="fails without naming $function and $folder/"
  elif [ "$got" = fails ] && [[ $library == app/* && $said != *"front door does not declare"* ]]; then
    got="fails without saying that the front door does not declare $function"
  fi
  planted_report "$library calling $function" "$expected" "$got" "$said"
  if [[ $library == *.a ]]; then
    mv "$copy/$library.kept" "$copy/$library"
  else
    rm "$copy/${library%/*}/CMakeFiles/${library##*/}.dir/planted.obj"
  fi
done
exit $status
