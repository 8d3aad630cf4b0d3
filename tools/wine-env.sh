# Sourced by the scripts that run Wine: a private prefix in the build folder, Japanese locale, quiet.
kaleidra_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${KALEIDRA_WINEPREFIX:-$kaleidra_root/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
