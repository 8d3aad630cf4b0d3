#!/usr/bin/env bash
# Runs a Windows executable in the project's Wine prefix (CTest's cross-compiling emulator).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec wine "$@"
