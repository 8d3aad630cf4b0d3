#!/usr/bin/env bash
# Runs the Windows tests through Wine, headless: a private Xvfb, and Wine's server and services
# started once so that each test executable starts fast. Leaves no process behind.
set -uo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=$1
shift
source "$tools/wine-env.sh"
source "$tools/session.sh"

keeper_pid=""
trap 'kaleidra_end_session "$keeper_pid"' EXIT
trap 'exit 130' INT TERM

kaleidra_start_xvfb || exit 1
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
wine "$build_dir/tests/win32/wine_keeper.exe" </dev/null >/dev/null 2>&1 &
keeper_pid=$!

ctest --test-dir "$build_dir" --output-on-failure "$@"
