#!/usr/bin/env bash
# Runs the benchmark of the game against the bare window: one private prefix, a private Xvfb, Wine's
# server and services started once. Leaves no process behind.
# Usage: run-bench.sh BUILD_DIR [bench.py options]
set -uo pipefail
bench=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tools=$(dirname "$bench")
build_dir=$(cd "$1" && pwd)
shift
export KALEIDRA_WINEPREFIX=${KALEIDRA_WINEPREFIX:-$(dirname "$tools")/build/bench-wineprefix}
"$tools/wine-prefix.sh" || exit 1
source "$tools/wine-env.sh"
source "$tools/session.sh"

kaleidra_begin_wine_session "$build_dir" || exit 1
export KALEIDRA_XVFB_PID

/usr/bin/python3 "$bench/bench.py" --game "$build_dir/app/kaleidra.exe" \
  --bare "$build_dir/tools/bench/bare_window.exe" "$@"
