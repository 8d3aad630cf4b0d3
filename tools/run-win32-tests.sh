#!/usr/bin/env bash
# Runs the Windows tests through Wine, headless: a private Xvfb, and Wine's server and services
# started once so that each test executable starts fast. Leaves no process behind.
set -uo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=$1
shift
source "$tools/wine-env.sh"
source "$tools/session.sh"

KALEIDRA_KEEPER_PID=""
trap 'kaleidra_end_session "$KALEIDRA_KEEPER_PID"' EXIT
trap 'exit 130' INT TERM

kaleidra_start_xvfb || exit 1
kaleidra_start_wine_services "$build_dir"

ctest --test-dir "$build_dir" --output-on-failure "$@"
