#!/usr/bin/env bash
# The tool as tools/run.sh starts it on a desktop, here a virtual screen of
# its own with a real window manager (openbox), driven through X as a user
# and a taskbar drive it: the window manager lists the tool's window, even
# where a copy of the prefix that keeps its windows from the window manager
# was left in the desktop's place; the caption's own minimise item, clicked
# with real X input, minimises it into the window manager; activated through
# the window manager as a taskbar does it, it comes back as it was: the same
# place and picture, the name typed before in the name box and the focus in
# it; with the pointer resting on the minimise item, the item's tip shows and
# takes no keys: they reach the name box; minimised by the window manager
# while a box asks its question, the tool leaves no window on the screen,
# the box's shadow neither, and restored, the box is back with its shadow
# and the keys. What the tool holds is read by
# window_probe.exe in the tool's own prefix. Every step waits, within a deadline, on what X or the tool reports.
# Usage: desktop_window_test.sh <source folder> <windows build folder> <window_probe.exe>
set -euo pipefail
root=$(cd "$1" && pwd)
build_win=$(cd "$2" && pwd)
probe=$3
# run.sh builds into <build>/win.
[ "$(basename "$build_win")" = win ] || { echo "desktop window: $build_win is no <build>/win" >&2; exit 1; }

work=$(mktemp -d)
tool_pid= openbox_pid= prefix=
stop() {
  [ -z "$tool_pid" ] || kill "$tool_pid" 2>/dev/null || true
  [ -z "$openbox_pid" ] || kill "$openbox_pid" 2>/dev/null || true
  [ -z "${korvath_xvfb_pid:-}" ] || kill "$korvath_xvfb_pid" 2>/dev/null || true
  # The tool's wineserver ends a few seconds after the tool.
  [ -z "$prefix" ] || WINEPREFIX=$prefix timeout 30 wineserver -w 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
fail() {
  echo "desktop window: $*" >&2
  [ ! -s "$work/run.log" ] || { echo "--- tools/run.sh said:" >&2; cat "$work/run.log" >&2; }
  [ ! -s "$work/report" ] || { echo "--- the tool's last report:" >&2; cat "$work/report" >&2; }
  import -display "$DISPLAY" -window root "$build_win/desktop_window_failure.png" 2>/dev/null &&
    echo "--- the screen: $build_win/desktop_window_failure.png" >&2
  exit 1
}
# Runs the command until it succeeds, for at most the given seconds.
within() {
  local seconds=$1 end
  shift
  end=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

KORVATH_OWN_DISPLAY=1 . "$root/tools/xvfb.sh"
openbox >"$work/openbox.log" 2>&1 &
openbox_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
within 30 wm_ready || fail "openbox did not start: $(cat "$work/openbox.log")"
# The pointer away from where the window opens: no control under it shows
# its hover look in the pictures.
xdotool mousemove --sync 0 0

# The desktop's copy of the build's prefix as another version of the tools,
# or one of the test groups' kind, leaves it: whole and marked as a copy of
# the build's prefix, its windows kept from the window manager. tools/run.sh
# must not take it as it stands.
desktop=$build_win/wineprefix-desktop
(. "$root/tools/wine-env.sh" "$build_win" && korvath_copy_prefix "$WINEPREFIX" "$desktop" managed) \
  >"$work/plant.log" 2>&1 &&
  sed -i 's/^"Managed"="Y"$/"Managed"="N"/' "$desktop/user.reg" &&
  grep -q '^"Managed"="N"$' "$desktop/user.reg" && [ -s "$desktop/.korvath-ready" ] ||
  fail "no copy that keeps its windows from the window manager could be left in $desktop: $(cat "$work/plant.log")"

KORVATH_BUILD=$(dirname "$build_win") "$root/tools/run.sh" >"$work/run.log" 2>&1 &
tool_pid=$!

# The tool's window, wherever it is in the tree (a managed one is in the
# window manager's frame).
tool_window() {
  kill -0 "$tool_pid" 2>/dev/null || fail "tools/run.sh ended before the tool showed its window"
  window=$(xdotool search --onlyvisible --name '^KorvathNPC' 2>/dev/null | head -n1)
  [ -n "$window" ]
}
within 60 tool_window || fail "no window of the tool within 60 s"
window_hex=$(printf '0x%x' "$window")
listed() { xprop -root _NET_CLIENT_LIST | grep -qiE "[ #]$window_hex(,|$)"; }
within 5 listed || fail "the window manager does not list the tool's window ($window_hex): $(xprop -root _NET_CLIENT_LIST)"
# Active, and its keys go to it.
active() {
  xprop -root _NET_ACTIVE_WINDOW | grep -qiE " $window_hex$" && [ "$(xdotool getwindowfocus)" = "$window" ]
}
within 10 active || fail "the window manager did not make the tool's window active"

# The probe runs in the prefix the tool runs in, whichever run.sh chose.
prefix=$(tr '\0' '\n' <"/proc/$tool_pid/environ" | sed -n 's/^WINEPREFIX=//p')
[ -n "$prefix" ] || fail "the tool runs in no WINEPREFIX"
. "$root/tools/wine-env.sh" "$build_win" "$prefix"
title=$(xprop -id "$window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
report() { wine "$probe" "$title" >"$work/report" 2>"$work/probe.log"; }
# A control of the window has the focus and holds the given text.
focus_holds() {
  local focus
  report || return 1
  focus=$(sed -n 's/^focus //p' "$work/report")
  grep -qxF "control $focus $1" "$work/report"
}
within 20 focus_holds "" || fail "the tool's window starts with no empty control focused"

# A name typed with real keys lands in the focused box.
xdotool type --delay 20 abc
within 20 focus_holds abc || fail "the typed name did not reach the focused box"
cp "$work/report" "$work/before"
geometry() { xwininfo -id "$window" | grep -E 'Absolute|Width|Height'; }
geometry >"$work/geometry"
# The window's picture once two captures in a row agree (the caret blinks:
# the one it settles on first).
capture() { import -display "$DISPLAY" -window "$window" "rgb:$1" 2>/dev/null; }
settled() { capture "$work/b.rgb" && cmp -s "$work/a.rgb" "$work/b.rgb" || { mv "$work/b.rgb" "$work/a.rgb"; false; }; }
capture "$work/a.rgb" || fail "no picture of the tool's window"
within 10 settled || fail "the tool's window did not settle on a picture"
mv "$work/a.rgb" "$work/before.rgb"

# The caption's minimise item, where skin/caption/caption_layout.cpp puts it:
# the item strip ends at the client area's right edge (its left is the
# client width less the strip's width, plus 1; the tool's strip, minimise and
# close, is 68 wide), the first item starts 2 pixels into the strip and 1
# below the client top, 26 by 18. The tool's window has no frame: its X
# window is the client area. Clicked at its middle with real input.
x=$(sed -n 's/.*Absolute upper-left X: *//p' "$work/geometry")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' "$work/geometry")
width=$(sed -n 's/.*Width: *//p' "$work/geometry")
xdotool mousemove --sync $((x + width - 68 + 1 + 2 + 13)) $((y + 1 + 9)) click 1
xdotool mousemove --sync 0 0
minimised() {
  xprop -id "$window" WM_STATE | grep -q 'window state: Iconic' &&
    xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN
}
within 10 minimised || fail "the caption's minimise item did not minimise the window into the window manager"
within 10 eval 'report && grep -qx "iconic 1" "$work/report"' || fail "the tool does not see its window minimised"

# A taskbar's request: xdotool sends _NET_ACTIVE_WINDOW with the source "pager".
xdotool windowactivate "$window"
restored() {
  xprop -id "$window" WM_STATE | grep -q 'window state: Normal' &&
    ! xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN && active
}
within 10 restored || fail "activation through the window manager did not restore the window"
within 10 eval 'report && cmp -s "$work/before" "$work/report"' ||
  fail "the window came back with other texts or the focus elsewhere; before: $(cat "$work/before")"
[ "$(geometry)" = "$(cat "$work/geometry")" ] || fail "the window came back elsewhere: $(geometry)"
# Both of the caret's looks come within a blink.
as_before() { capture "$work/after.rgb" && cmp -s "$work/before.rgb" "$work/after.rgb"; }
within 10 as_before || fail "the window came back with another picture"

# The caption's tips take no keys. The pointer rests on the minimise item (as
# it does after a minimise by the item and a way back by Alt+Tab) until the
# item's tip shows; keys typed then reach the box that has the focus, and the
# window stays the active one. The tip is no window of the window manager's:
# the window manager made each one it had the active window, with the keys.
# The tip hides on its own a few seconds after it shows: a try whose keys
# were typed after it hid proves nothing, and the tip is shown again for
# another (the pointer goes back onto the caption beside the items first, so
# that the tips take it as a new visit).
item_x=$((x + width - 68 + 1 + 2 + 13)) item_y=$((y + 1 + 9))
tip_shown() {
  tip=$(xdotool search --onlyvisible --classname '^korvathnpc\.exe$' 2>/dev/null | grep -vx "$window" | head -n1)
  [ -n "$tip" ]
}
name=abc typed_under_tip=
for try in 1 2 3; do
  xdotool mousemove --sync $((x + 100)) "$item_y"
  within 20 eval '! tip_shown' || fail "a window of the tool other than its form stays shown: $tip"
  xdotool mousemove --sync "$item_x" "$item_y"
  within 20 tip_shown || fail "no tip showed over the caption's minimise item"
  xwininfo -id "$tip" | grep -q 'Override Redirect State: yes' ||
    fail "the window manager manages the caption's tip: $(xprop -id "$tip" WM_STATE _NET_WM_WINDOW_TYPE)"
  xdotool type --delay 20 de
  name+=de
  ! xwininfo -id "$tip" 2>/dev/null | grep -q 'IsViewable' || typed_under_tip=1
  within 20 focus_holds "$name" || fail "keys typed while the caption's tip showed did not reach the focused box"
  active || fail "the tool's window was not the active one while its caption's tip showed: $(xprop -root _NET_ACTIVE_WINDOW)"
  [ -z "$typed_under_tip" ] || break
done
[ -n "$typed_under_tip" ] || fail "the caption's tip hid before the keys were typed, $try times in a row"

# A box goes with the tool. With the question before a file is replaced
# showing, the window manager minimises the tool: no window of the tool stays
# viewable, the box's shadow (a window the window manager does not handle)
# neither. Activated again, the box and its shadow are back around it, the
# box has the keys, and Enter answers its default, No: the file stays the
# very file it was. The name and the folder are given to their boxes as a
# paste would: X cannot type Chinese into the tool.
control_of() { sed -n "s/^control \([0-9]*\) $1\$/\1/p" "$work/report" | head -n1; }
centre_of() { awk -v h="$1" '$1 == "place" && $2 == h { print int(($3 + $5) / 2), int(($4 + $6) / 2) }' "$work/report"; }
report || fail "no report of the tool's window"
name_box=$(sed -n 's/^focus //p' "$work/report")
folder_box=$(sed -n 's/^control \([0-9]*\) .*AI文件夹\\$/\1/p' "$work/report" | head -n1)
save_button=$(control_of '生成并保存')
[ -n "$folder_box" ] && [ -n "$save_button" ] && [ "$name_box" != 0 ] ||
  fail "no folder box, name box or save button in the report: $(cat "$work/report")"
mkdir "$work/documents"
documents=$(winepath -w "$work/documents")
wine "$probe" "$title" settext "$folder_box" "$documents\\" >/dev/null 2>"$work/probe.log" &&
  wine "$probe" "$title" settext "$name_box" 张三 >/dev/null 2>>"$work/probe.log" ||
  fail "the folder and the name did not reach their boxes: $(cat "$work/probe.log")"
report || fail "no report of the tool's window"
read -r save_x save_y < <(centre_of "$save_button")
# Keys go where X has put the focus: each waits until the window that is to
# take them has it, the box once shown, the form once the box has gone.
box_shown() { box=$(xdotool search --onlyvisible --name '^提示$' 2>/dev/null | head -n1); [ -n "$box" ]; }
box_has_keys() { box_shown && [ "$(xdotool getwindowfocus)" = "$box" ]; }
box_gone() { ! xdotool search --onlyvisible --name '^提示$' >/dev/null 2>&1; }
document=$work/documents/zhangsan.pst
xdotool mousemove --sync "$save_x" "$save_y" click 1
within 20 box_has_keys || fail "no box with the keys after the first save"
within 20 eval '[ -s "$document" ]' || fail "the first save made no $document"
xdotool key Return
within 20 box_gone || fail "Enter did not close the box that said the document was made"
within 20 active || fail "the tool's window did not get the keys back from the box"
cp "$document" "$work/document.before"
inode=$(stat -c %i "$document")
xdotool mousemove --sync "$save_x" "$save_y" click 1
xdotool mousemove --sync 0 0
within 20 box_has_keys || fail "no question with the keys before the file is replaced"
# The box's shadow: a window of the tool beside the form and the box that
# reaches 15 pixels beyond the box on every side.
place_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} /Width/ {w = $NF} /Height/ {h = $NF} END {print x, y, w, h}'; }
shadow_around_box() {
  local b s
  b=$(place_of "$box") || return 1
  read -r bx by bw bh <<<"$b"
  for s in $(xdotool search --onlyvisible --classname '^korvathnpc\.exe$' 2>/dev/null); do
    [ "$(place_of "$s")" = "$((bx - 15)) $((by - 15)) $((bw + 30)) $((bh + 30))" ] && return 0
  done
  return 1
}
within 20 shadow_around_box || fail "the question shows without its shadow around it"
xdotool windowminimize "$window"
nothing_viewable() { ! xdotool search --onlyvisible --classname '^korvathnpc\.exe$' >/dev/null 2>&1; }
within 20 nothing_viewable ||
  fail "windows of the tool stay on the screen while it is minimised: $(for w in $(xdotool search --onlyvisible --classname '^korvathnpc\.exe$'); do xwininfo -id "$w" | sed -n 2p; place_of "$w"; done)"
xdotool windowactivate "$window"
within 20 box_has_keys || fail "the question did not come back with the keys: the focus is on $(xdotool getwindowfocus)"
within 20 shadow_around_box || fail "the question came back without its shadow around it"
xdotool key Return
within 20 box_gone || fail "Enter did not answer the question"
cmp -s "$document" "$work/document.before" && [ "$(stat -c %i "$document")" = "$inode" ] ||
  fail "Enter replaced the document: the question's default is No"
within 20 active || fail "the tool's window did not get the keys back from the question"

# Esc closes the tool, and tools/run.sh ends with it.
xdotool key Escape
ended() { ! kill -0 "$tool_pid" 2>/dev/null; }
within 20 ended || fail "the tool did not close on Esc"
wait "$tool_pid" || fail "tools/run.sh ended with status $?"
tool_pid=
echo "desktop window: listed, minimised by its caption item, restored as it was by the window manager, its caption's tip took no keys, a box minimised and restored with it, shadow and keys included"
