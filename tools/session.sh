# Sourced by the scripts that run Wine headless: a private Xvfb, and the clean-up that leaves no
# process behind.

# Starts Xvfb on a free display; exports DISPLAY and KALEIDRA_XVFB_PID.
kaleidra_start_xvfb() {
  local display=90
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  KALEIDRA_XVFB_PID=$!
  export DISPLAY=":$display"
  local tries=0
  until [ -e "/tmp/.X11-unix/X$display" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$KALEIDRA_XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start on $DISPLAY" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Starts this prefix's Wine server and services once, with their output on /dev/null, and keeps them
# alive with the keeper program of the build folder given; sets KALEIDRA_KEEPER_PID.
kaleidra_start_wine_services() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  wine "$1/tests/win32/wine_keeper.exe" </dev/null >/dev/null 2>&1 &
  KALEIDRA_KEEPER_PID=$!
}

# The whole headless session for a build folder: Xvfb, then Wine's server and services, all ended
# when the calling script exits or is interrupted.
kaleidra_begin_wine_session() {
  KALEIDRA_KEEPER_PID=""
  trap 'kaleidra_end_session "$KALEIDRA_KEEPER_PID"' EXIT
  trap 'exit 130' INT TERM
  kaleidra_start_xvfb || return 1
  kaleidra_start_wine_services "$1"
}

# Ends the given process (if any), this prefix's Wine server and our Xvfb (if we started one).
kaleidra_end_session() {
  [ -n "${1:-}" ] && kill "$1" 2>/dev/null
  wineserver -k 2>/dev/null
  [ -n "${KALEIDRA_XVFB_PID:-}" ] && kill "$KALEIDRA_XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}
