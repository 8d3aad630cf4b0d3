#!/usr/bin/env bash
# Runs a Windows executable in the project's Wine prefix (CTest's cross-compiling emulator).
# Under load, Wine has once ended a test at once (0.05 s) with an error and no output at all, before
# the program printed its first line; such a start is made once more, and says so. A program that
# printed anything keeps its result, so a failing test is never run again.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
output=$(mktemp)
trap 'rm -f "$output"' EXIT
for attempt in 1 2; do
  wine "$@" 2>&1 | tee "$output"
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ] || [ -s "$output" ] || [ "$attempt" -eq 2 ]; then break; fi
  echo "wine-exec: $1 ended with code $status before printing anything; starting it once more" >&2
done
exit "$status"
