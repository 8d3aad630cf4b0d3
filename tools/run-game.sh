#!/usr/bin/env bash
# Starts the game under Wine. Without a display it starts a virtual one and saves a screenshot of the
# window after start-up; either way it runs until the window is closed or the command is interrupted.
set -uo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
screenshot_dir=${KALEIDRA_SCREENSHOT_DIR:-$(dirname "$tools")/build/screenshots}
source "$tools/wine-env.sh"
source "$tools/session.sh"

game_pid=""
trap 'kaleidra_end_session "$game_pid"' EXIT
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
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kaleidra$' 2>/dev/null | head -n 1)
  if [ -n "$window" ]; then
    sleep 1
    geometry=$(xwininfo -id "$window" | awk '
      /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
      /Width:/ {w = $NF} /Height:/ {h = $NF} END {print w "x" h "+" x "+" y}')
    mkdir -p "$screenshot_dir"
    shot=$screenshot_dir/kaleidra-$(date +%Y%m%d-%H%M%S).png
    import -window root -crop "$geometry" +repage "$shot" && echo "Screenshot: $shot"
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
