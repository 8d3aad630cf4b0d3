#!/usr/bin/env bash
# Runs the Windows tests through Wine, headless: a private Xvfb, and Wine's server and services
# started once so that each test executable starts fast. Leaves no process behind.
set -uo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=$1
shift
source "$tools/wine-env.sh"
source "$tools/xvfb-start.sh"

keeper_pid=""
cleanup() {
  [ -n "$keeper_pid" ] && kill "$keeper_pid" 2>/dev/null
  wineserver -k 2>/dev/null
  [ -n "${KALEIDRA_XVFB_PID:-}" ] && kill "$KALEIDRA_XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

kaleidra_start_xvfb || exit 1
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
wine "$build_dir/tests/win32/wine_keeper.exe" </dev/null >/dev/null 2>&1 &
keeper_pid=$!

ctest --test-dir "$build_dir" --output-on-failure "$@"
