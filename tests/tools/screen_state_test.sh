#!/usr/bin/env bash
# The test screen as tools/xvfb.sh starts it keeps what its clients left on
# it when the last of them leaves: an X server resets then by default, which
# drops the root window's properties and the atoms interned, and closes the
# connections made meanwhile (a window manager started while a poller left
# failed to connect now and then). A client sets a property on the root
# window and leaves; once the server has closed that client's connection
# (its socket gone from the server's own, /proc/<pid>/fd), a reset would
# have been decided in the same step, before any new client is let in. The
# next client must still read the property. First, where there is no
# display at all, tools/xvfb.sh starts one; where one is given, it starts
# none.
# Usage: screen_state_test.sh <source folder>
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)

fail() { echo "screen state: $*" >&2; exit 1; }

# With no display and none of its own asked for, tools/xvfb.sh starts a
# screen and points DISPLAY at it: the test groups (tools/wine-groups.sh)
# and tools/run.sh without a desktop source it so. DISPLAY's socket, as the
# system lists it (/proc/net/unix), must be one the started server holds:
# another screen that answers there would be another server's.
(
  unset DISPLAY KORVATH_OWN_DISPLAY
  . "$root/tools/xvfb.sh" || fail "no screen started where there was no display"
  trap 'kill "$korvath_xvfb_pid" 2>/dev/null' EXIT
  [ -n "$korvath_xvfb_pid" ] && [ -n "${DISPLAY:-}" ] ||
    fail "tools/xvfb.sh started no screen where there was no display"
  xdpyinfo >/dev/null 2>&1 || fail "no screen answers at DISPLAY=$DISPLAY"
  path=/tmp/.X11-unix/X${DISPLAY#:}
  held=$(for fd in /proc/"$korvath_xvfb_pid"/fd/*; do readlink "$fd"; done 2>/dev/null)
  awk -v p="$path" '$8 == p || $8 == "@" p { print "socket:[" $7 "]" }' /proc/net/unix | grep -qxF "$held" ||
    fail "DISPLAY=$DISPLAY is not the screen tools/xvfb.sh started (process $korvath_xvfb_pid)"
  kill "$korvath_xvfb_pid"
  wait "$korvath_xvfb_pid"
  echo "screen state: with no display, a screen of its own started at DISPLAY=$DISPLAY"
) || exit 1

KORVATH_OWN_DISPLAY=1 . "$root/tools/xvfb.sh" || fail "no screen started"
trap 'kill "$korvath_xvfb_pid" 2>/dev/null' EXIT
[ -n "$korvath_xvfb_pid" ] || fail "tools/xvfb.sh started no screen of its own"

# A display that is given is kept where no screen of its own is asked for
# (KORVATH_OWN_DISPLAY unset, or 0): tools/run.sh on a desktop opens the tool
# there. tools/xvfb.sh starts no process and leaves DISPLAY as it was.
for own in unset 0; do
  (
    if [ $own = unset ]; then unset KORVATH_OWN_DISPLAY; else export KORVATH_OWN_DISPLAY=$own; fi
    given=$DISPLAY
    . "$root/tools/xvfb.sh" || fail "DISPLAY=$given given, KORVATH_OWN_DISPLAY $own: tools/xvfb.sh failed"
    started=$(jobs -p)
    if [ -n "$started$korvath_xvfb_pid" ] || [ "$DISPLAY" != "$given" ]; then
      kill $started $korvath_xvfb_pid 2>/dev/null
      fail "DISPLAY=$given given, KORVATH_OWN_DISPLAY $own: tools/xvfb.sh started a screen of its own" \
           "(process ${korvath_xvfb_pid:-$started}) and left DISPLAY=$DISPLAY"
    fi
    echo "screen state: DISPLAY=$given given, KORVATH_OWN_DISPLAY $own: kept, no screen started"
  ) || exit 1
done

# The server's sockets: its listening ones, and one per client.
sockets() {
  for fd in /proc/"$korvath_xvfb_pid"/fd/*; do readlink "$fd"; done 2>/dev/null | grep '^socket:' | sort
}
listening=$(sockets)
[ -n "$listening" ] || fail "the server (process $korvath_xvfb_pid) shows no socket"

xprop -root -f KORVATH_SCREEN_STATE 8s -set KORVATH_SCREEN_STATE kept ||
  fail "no client could set a property on the root window"
# Until the server has closed the client's connection: no socket beyond the
# listening ones (bounded: a hang costs seconds).
end=$((SECONDS + 30))
until [ -z "$(comm -13 <(echo "$listening") <(sockets))" ]; do
  [ $SECONDS -lt $end ] || fail "the server kept the client's connection 30 s after the client left"
  sleep 0.05
done

said=$(xprop -root KORVATH_SCREEN_STATE 2>&1) || fail "the next client could not connect: $said"
[ "$said" = 'KORVATH_SCREEN_STATE(STRING) = "kept"' ] ||
  fail "the root window's property is gone once the last client left (the server reset): $said"
echo "screen state: the root window's property outlived its last client"
