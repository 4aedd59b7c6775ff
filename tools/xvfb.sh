# Sourced: gives this shell an X display, starting one Xvfb when there is none.
# Sets korvath_xvfb_pid when it started one (the caller stops it).
# Xvfb picks a free display number itself and reports it, so several runs can
# start at once without racing for the same number.
korvath_xvfb_pid=
if [ -z "${DISPLAY:-}" ] || [ "${KORVATH_OWN_DISPLAY:-0}" = 1 ]; then
  korvath_xvfb_fd_file=$(mktemp)
  # -noreset: by default an X server resets when its last client leaves, and
  # refuses the clients that connect meanwhile; a caller that polls the
  # display (xprop until a window manager is up) while another client starts
  # would see that client fail now and then.
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$korvath_xvfb_fd_file" >/dev/null 2>&1 &
  korvath_xvfb_pid=$!
  # A loaded machine (other builds and Xvfbs beside it) can take many seconds.
  for _ in $(seq 1 600); do
    [ -s "$korvath_xvfb_fd_file" ] && break
    kill -0 "$korvath_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  korvath_xvfb_display=$(tr -dc '0-9' <"$korvath_xvfb_fd_file")
  rm -f "$korvath_xvfb_fd_file"
  if [ -z "$korvath_xvfb_display" ] || ! kill -0 "$korvath_xvfb_pid" 2>/dev/null; then
    echo "xvfb: Xvfb did not start" >&2
    kill "$korvath_xvfb_pid" 2>/dev/null || true
    korvath_xvfb_pid=
    return 1 2>/dev/null || exit 1
  fi
  export DISPLAY=":$korvath_xvfb_display"
fi
