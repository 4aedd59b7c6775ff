# Sourced: gives this shell an X display, starting one Xvfb when there is none.
# Sets KORVATH_XVFB_PID when it started one (the caller stops it).
korvath_xvfb_pid=
if [ -z "${DISPLAY:-}" ] || [ "${KORVATH_OWN_DISPLAY:-0}" = 1 ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    korvath_xvfb_pid=$!
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$korvath_xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
    korvath_xvfb_pid=
  done
fi
