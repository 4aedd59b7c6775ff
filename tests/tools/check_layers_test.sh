#!/usr/bin/env bash
# The layer check (tools/check_layers.sh) on a copy of the program's folders
# with one include added at a time: an include that reaches above its
# folder's floor fails the check, with its line named, however its path is
# spelt ("." and ".." steps, beside the file or from the root), the tool's
# naming a value header among them, and however its directive is spelt (a
# comment inside it, a line continued by a backslash, "# include"); one that
# lands on the floor passes, and so does one that is no include (commented
# out, in a string); one named by a macro fails (a case's "\n" parts are
# added as lines of their own, the last being the one named: the header's
# name stands on it). So do BeginPaint and EndPaint outside the platform's
# paint scope, and an include of the engine's state back into a module it
# includes. Prints each case and exits non-zero if one goes wrong.
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$root/app" "$root/gdip" "$root/platform" "$root/skin" "$copy"

# what the check says | the including file | the added line
cases=(
  'fails|skin/shadow/shadow_window.cpp|#include "skin/draw/../form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|#include "skin/shadow/../form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|#include <skin/./form/form_attach.h>'
  'fails|skin/shadow/shadow_window.cpp|#include "./skin/form/form_attach.h"'
  'fails|skin/shadow/shadow_window.cpp|#include "../form/form_attach.h"'
  'fails|platform/form.cpp|#include "platform/../app/notice.h"'
  # The tool reaches the engine through its front door alone, and no family
  # of the engine reaches up to the front door.
  'fails|app/form_setup.cpp|#include "skin/form/form_attach.h"'
  'fails|app/notice.cpp|#include "../skin/message_box/message_box.h"'
  'fails|skin/message_box/message_box.cpp|#include "skin/engine/start.h"'
  'passes|app/notice.cpp|#include "skin/engine/message_box.h"'
  # The values come to the tool through the door's headers, never named by
  # a line of its own (docs/engine.md, "What the tool may call").
  'fails|app/notice.cpp|#include "skin/values/skin_picture.h"'
  'fails|app/notice.h|#include "../skin/values/form_settings.h"'
  'passes|skin/engine/picture.h|#include "skin/values/byte_set.h"'
  # An include named by a macro is refused, whatever the macro names; the
  # macro alone is no include.
  'fails|app/notice.cpp|#define H "skin/core/engine_state.h"\n#include H'
  'fails|skin/shadow/shadow_window.cpp|#define H "skin/form/form_attach.h"\n#  include H'
  'fails|app/notice.cpp|#define H "skin/engine/message_box.h"\n#include H'
  'passes|app/notice.cpp|#define H "skin/core/engine_state.h"'
  'passes|skin/shadow/shadow_window.cpp|#include "skin/form/../core/window_record.h"'
  'passes|skin/shadow/shadow_window.cpp|#include "../core/window_record.h"'
  # The directive as the preprocessor reads it: a comment is a blank (one
  # that spans lines joins them), a backslash at a line's end joins the next
  # line (blanks after it too, as GCC takes it), wherever it stands in the
  # directive; "#" may be "%:", and GCC's include_next and import include.
  'fails|skin/core/engine_startup.cpp|#include /* upward */ "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#include \\\n"skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#include \\ \n"skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#\\\ninclude "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#inc\\\nlude "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#include /* a comment\n   that spans lines */ "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|/* a comment that ends\n*/ #include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|/* before it */ #include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|# include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#  include <skin/form/form_attach.h>'
  'fails|skin/core/engine_startup.cpp|#/* between */include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|%:include "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#include_next "skin/form/form_attach.h"'
  'fails|skin/core/engine_startup.cpp|#import "skin/form/form_attach.h"'
  'fails|app/notice.cpp|#define H "skin/engine/message_box.h"\n#include \\\nH'
  # No condition is weighed: an include kept out of the build is read all
  # the same (the check compiles nothing, so its "#endif" may be left out).
  'fails|skin/core/engine_startup.cpp|#if 0\n#include "skin/form/form_attach.h"'
  # Between "<" and ">" no "//" is a comment.
  'passes|skin/shadow/shadow_window.cpp|#include <skin//core/window_record.h>'
  # No include: a string that holds one, a raw string whose lines do, and
  # one commented out, by a comment that spans lines or a "//" comment
  # continued by a backslash.
  'passes|skin/core/engine_startup.cpp|const char* const kLine = "#include \"skin/form/form_attach.h\"";'
  'passes|skin/core/engine_startup.cpp|const char* const kLines = R"(\n#include "skin/form/form_attach.h"\n)";'
  'passes|skin/core/engine_startup.cpp|// #include "skin/form/form_attach.h"'
  'passes|skin/core/engine_startup.cpp|/*\n#include "skin/form/form_attach.h"\n*/'
  'passes|skin/core/engine_startup.cpp|// a comment continued \\\n#include "skin/form/form_attach.h"'
  # A module that the engine's state includes does not include it back,
  # however the include is spelt.
  'fails|skin/core/window_record.h|#include \\\n"skin/core/engine_state.h"'
  # BeginPaint and EndPaint in the platform's paint scope alone: not beside
  # it in platform/, nor in its header, nor above.
  'fails|platform/form.cpp|void Painted(HWND window) { PAINTSTRUCT paint; BeginPaint(window, &paint); }'
  'fails|platform/gdi_object.h|inline void Painted(HWND window, PAINTSTRUCT& paint) { EndPaint(window, &paint); }'
  'fails|skin/form/form_window_proc.cpp|void Painted(HWND window) { PAINTSTRUCT paint; BeginPaint(window, &paint); }'
  'passes|platform/gdi_object.cpp|void Painted(HWND window) { PAINTSTRUCT paint; EndPaint(window, &paint); }'
  # (A lock taken or released by hand is refused by the objects' symbols:
  # tests/tools/check_library_symbols_test.sh.)
)

. "$(dirname "$0")/planted_cases.sh"
if ! "$root/tools/check_layers.sh" "$copy" >/dev/null 2>&1; then
  echo "the copy as it is fails the check" >&2
  exit 1
fi
for entry in "${cases[@]}"; do
  expected=${entry%%|*}
  rest=${entry#*|}
  file=${rest%%|*}
  line=${rest#*|}
  cp "$copy/$file" "$copy/$file.kept"
  printf '%b\n' "$line" >> "$copy/$file"
  number=$(wc -l < "$copy/$file")
  said=$("$root/tools/check_layers.sh" "$copy" 2>&1)
  got=$(planted_verdict $?)
  # Of lines added together, the last is the one the check names.
  last=${line##*\\n}
  if [ "$got" = fails ] && [[ $said != *"$file:$number:$last"* ]]; then got="fails without naming the line"; fi
  planted_report "$file: $line" "$expected" "$got" "$said"
  mv "$copy/$file.kept" "$copy/$file"
done
exit $status
