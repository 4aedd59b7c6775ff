#!/usr/bin/env bash
# The check of what the tool's sources pull in of the engine
# (tools/check_app_headers.py) on a copy of the program's folders with lines
# added at a time: a header of the engine other than the front door and the
# values, reached from a source of app/ however it is reached (named in the
# source, by a macro, through a header of the front door or of the values),
# fails the check, which names the source and the header; so does a value
# reached but through the door; and so does a header of the engine, or a
# value, that the source's compile command forces in (-include, -imacros; a
# precompiled header too), which counts as one the source names. The front
# door, and the values through it, pass. Each case checks the one source it
# plants in or under.
# Prints each case and exits non-zero if one goes wrong.
#
# Usage: tests/tools/check_app_headers_test.sh <source folder> <windows build folder>
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
build=${2:-$root/build/win}
copy=$(mktemp -d)
stand_in=$(mktemp -d)
trap 'rm -rf "$copy" "$stand_in"' EXIT
cp -r "$root/app" "$root/gdip" "$root/platform" "$root/skin" "$copy"

# what the check says | the source checked | the header it names | the file
# planted in (the lines added at its end; "^" before its name: at its
# start; a file not in the tree is made) | the added lines (\n between two) |
# options added to the compile command of the source checked, as a target's
# would be (read from a stand-in of the build folder; "pch HEADER" first: a
# precompiled header made of HEADER with that command)
cases=(
  'fails|app/notice.cpp|skin/core/engine_state.h|app/notice.cpp|#include "skin/core/engine_state.h"'
  'fails|app/notice.cpp|skin/core/engine_state.h|app/notice.cpp|#define H "skin/core/engine_state.h"\n#include H'
  'fails|app/notice.cpp|skin/message_box/message_box.h|app/notice.cpp|#include "../skin/message_box/message_box.h"'
  # The front door or a value header that includes more of the engine.
  'fails|app/notice.cpp|skin/core/window_props.h|skin/engine/message_box.h|#include "skin/core/window_props.h"'
  'fails|app/form_setup.cpp|skin/core/engine_state.h|skin/values/label_settings.h|#include "skin/core/engine_state.h"'
  'fails|app/field_panels.cpp|skin/panel/panel_window.h|skin/engine/panel.h|#include "skin/panel/panel_window.h"'
  # The picture's drawing, the engine's: the door hands a program the picture
  # alone.
  'fails|app/field_panels.cpp|skin/draw/skin_picture.h|app/field_panels.cpp|#include "skin/draw/skin_picture.h"'
  # The values come to a source through the door alone (docs/engine.md,
  # "What the tool may call"): named by the source, by a header of the tool
  # or by a macro, a value header fails; opened by a header of the door (and
  # one value by another), it passes.
  'fails|app/notice.cpp|skin/values/skin_picture.h|app/notice.cpp|#include "skin/values/skin_picture.h"'
  'fails|app/notice.cpp|skin/values/byte_set.h|app/notice.h|#include "skin/values/byte_set.h"'
  'fails|app/form_setup.cpp|skin/values/panel_click.h|app/form_setup.cpp|#define H "skin/values/panel_click.h"\n#include H'
  'fails|app/notice.cpp|skin/values/form_settings.h|app/notice.h|#include "../skin/values/form_settings.h"'
  # A value that the source names right after a header of the door, the
  # first header the source opens: the value's chain is the value alone, the
  # door's chain ends with the door's header, and no step of it stays in the
  # value's.
  'fails|app/notice.cpp|skin/values/panel_click.h|^app/notice.cpp|#include "skin/engine/picture.h"\n#include "skin/values/panel_click.h"'
  'passes|app/notice.cpp||app/notice.cpp|#include "skin/engine/attach.h"'
  'passes|app/notice.cpp||app/notice.cpp|#include "skin/engine/panel.h"'
  'passes|app/notice.cpp||app/notice.cpp|#include "skin/engine/picture.h"'
  'passes|app/notice.cpp||app/notice.cpp|#define H "skin/engine/attach.h"\n#include H'
  # What the compile command forces in, as the source's own includes: none
  # of the engine's but the door's, and the values through the door alone.
  'fails|app/notice.cpp|skin/core/engine_state.h|app/notice.cpp||-include skin/core/engine_state.h'
  'fails|app/notice.cpp|skin/core/engine_state.h|app/notice.cpp||--include=skin/core/engine_state.h'
  'fails|app/notice.cpp|skin/core/engine_state.h|app/notice.cpp||-imacros skin/core/engine_state.h'
  'fails|app/notice.cpp|skin/values/skin_picture.h|app/notice.cpp||-include skin/values/skin_picture.h'
  'fails|app/form_setup.cpp|skin/core/window_props.h|skin/engine/picture.h|#include "skin/core/window_props.h"|-include skin/engine/picture.h'
  'fails|app/notice.cpp|skin/core/engine_state.h|app/up.h|#include "skin/core/engine_state.h"|pch app/up.h -include app/up.h'
  'passes|app/notice.cpp||app/notice.cpp||-include skin/engine/picture.h'
)

. "$(dirname "$0")/planted_cases.sh"
if ! python3 "$root/tools/check_app_headers.py" "$build" --sources "$copy" >/dev/null 2>&1; then
  echo "the copy as it is fails the check" >&2
  exit 1
fi
for entry in "${cases[@]}"; do
  IFS='|' read -r expected source header file lines options <<< "$entry"
  at=end
  [[ $file == ^* ]] && at=start file=${file#^}
  made=()
  if [ -e "$copy/$file" ]; then cp "$copy/$file" "$copy/$file.kept"; else made+=("$file"); fi
  if [ $at = start ]; then
    { printf '%b\n' "$lines"; cat "$copy/$file.kept"; } > "$copy/$file"
  else
    printf '%b\n' "$lines" >> "$copy/$file"
  fi
  checked=$build
  said=""
  if [ -n "$options" ]; then
    # The build folder's commands, the source's with the options added.
    checked=$stand_in
    pch=""
    [[ $options == pch\ * ]] && pch=${options#pch } pch=${pch%% *} options=${options#pch * } made+=("$pch.gch")
    said=$(python3 - "$build" "$checked" "$root" "$copy" "$source" "$options" "$pch" <<'PLANT'
import json, os, shlex, subprocess, sys
build, checked, root, copy, source, options, pch = sys.argv[1:]
with open(os.path.join(build, 'compile_commands.json'), encoding='utf-8') as f:
    entries = json.load(f)
entry = next(e for e in entries if os.path.relpath(e['file'], root) == source)
if pch:
    words = [w for w in shlex.split(entry['command']) if w not in (entry['file'], '-c')]
    words = ['-I' + copy if w == '-I' + root else w for w in words]
    del words[words.index('-o'):words.index('-o') + 2]
    header = os.path.join(copy, pch)
    run = subprocess.run(words + ['-x', 'c++-header', header, '-o', header + '.gch'], cwd=entry['directory'],
                         capture_output=True, text=True)
    if run.returncode:
        sys.exit(f'the precompiled header does not compile: {run.stderr}')
entry['command'] += ' ' + options
with open(os.path.join(checked, 'compile_commands.json'), 'w', encoding='utf-8') as f:
    json.dump(entries, f)
PLANT
    )
  fi
  [ -z "$said" ] && said=$(python3 "$root/tools/check_app_headers.py" "$checked" --sources "$copy" "$source" 2>&1)
  got=$(planted_verdict $?)
  if [ "$got" = fails ] && [[ $said != *"$source pulls in $header"* ]]; then got="fails without naming $header"; fi
  planted_report "$file (at its $at): $lines${options:+ (options $options${pch:+ precompiled})}: of $source" \
                 "$expected" "$got" "$said"
  [ -e "$copy/$file.kept" ] && mv "$copy/$file.kept" "$copy/$file"
  for path in "${made[@]}"; do rm -f "$copy/$path"; done
done
exit $status
