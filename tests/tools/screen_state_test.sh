#!/usr/bin/env bash
# The test screen as tools/xvfb.sh starts it keeps what its clients left on
# it when the last of them leaves: an X server resets then by default, which
# drops the root window's properties and the atoms interned, and closes the
# connections made meanwhile (a window manager started while a poller left
# failed to connect now and then). A client sets a property on the root
# window and leaves; once the server has closed that client's connection
# (its socket gone from the server's own, /proc/<pid>/fd), a reset would
# have been decided in the same step, before any new client is let in. The
# next client must still read the property.
# Usage: screen_state_test.sh <source folder>
set -uo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)

fail() { echo "screen state: $*" >&2; exit 1; }
KORVATH_OWN_DISPLAY=1 . "$root/tools/xvfb.sh" || fail "no screen started"
trap 'kill "$korvath_xvfb_pid" 2>/dev/null' EXIT
[ -n "$korvath_xvfb_pid" ] || fail "tools/xvfb.sh started no screen of its own"

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
