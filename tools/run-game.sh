#!/usr/bin/env bash
# Starts the game under Wine. Without a display it starts a virtual one and saves a screenshot of the
# window after start-up; either way it runs until the window is closed or the command is interrupted.
set -uo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
screenshot_dir=${KALEIDRA_SCREENSHOT_DIR:-$(dirname "$tools")/build/screenshots}
source "$tools/wine-env.sh"
source "$tools/xvfb-start.sh"

game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  wineserver -k 2>/dev/null
  [ -n "${KALEIDRA_XVFB_PID:-}" ] && kill "$KALEIDRA_XVFB_PID" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

headless=0
if [ -z "${DISPLAY:-}" ]; then
  kaleidra_start_xvfb || exit 1
  headless=1
  echo "No display: the game runs on a virtual one ($DISPLAY)."
fi

wine "$exe" &
game_pid=$!

if [ $headless -eq 1 ]; then
  if timeout 60 xdotool search --sync --onlyvisible --name '^Kaleidra$' >/dev/null 2>&1; then
    sleep 1
    mkdir -p "$screenshot_dir"
    shot=$screenshot_dir/kaleidra-$(date +%Y%m%d-%H%M%S).png
    import -window root -crop 660x520+0+0 "$shot" && echo "Screenshot: $shot"
  else
    echo "The game window did not appear." >&2
  fi
  echo "The game keeps running; press Ctrl+C to stop it."
fi

wait "$game_pid"
status=$?
game_pid=""
echo "kaleidra.exe ended with exit code $status"
exit $status
