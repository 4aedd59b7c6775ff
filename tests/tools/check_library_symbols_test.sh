#!/usr/bin/env bash
# The check of the libraries' symbols (tools/check_library_symbols.py) on a
# copy of the Windows build's libraries with one object added at a time: an
# object that calls a function of a folder above its library's (or beside
# it) fails the check, which names the library and the function; one that
# calls a function of its own floor passes. Prints each case and exits
# non-zero if one goes wrong.
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

# what the check says | the library planted in | the function called (in
# korvath::<namespace>, taking nothing) | the folder that defines it
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
  printf 'namespace korvath::%s { void %s(); }\nextern "C" void korvath_planted() { korvath::%s::%s(); }\n' \
    "$namespace" "$name" "$namespace" "$name" > "$copy/planted.cpp"
  if ! "$compiler" -std=c++20 -c "$copy/planted.cpp" -o "$copy/planted.obj"; then
    echo "WRONG: the planted call of $function does not compile" >&2
    status=1
    continue
  fi
  cp "$copy/$library" "$copy/$library.kept"
  "$archiver" r "$copy/$library" "$copy/planted.obj"
  said=$(python3 "$root/tools/check_library_symbols.py" "$copy" 2>&1)
  got=$(planted_verdict $?)
  if [ "$got" = fails ] && [[ $said != *"$library needs korvath::$function(), which $folder/ defines"* ]]; then
    got="fails without naming $function and $folder/"
  fi
  planted_report "$library calling $function" "$expected" "$got" "$said"
  mv "$copy/$library.kept" "$copy/$library"
done
exit $status
