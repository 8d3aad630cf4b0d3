#!/usr/bin/env bash
# Runs the Windows tests through Wine, headless: a private Xvfb, and Wine's server and services
# started once so that each test executable starts fast. Leaves no process behind.
set -uo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=$1
shift
source "$tools/wine-env.sh"
source "$tools/session.sh"

kaleidra_begin_wine_session "$build_dir" || exit 1

ctest --test-dir "$build_dir" --output-on-failure "$@"
