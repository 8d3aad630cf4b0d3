# Sourced by the scripts that run Wine: a private prefix in the build folder, a locale, quiet.
kaleidra_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${KALEIDRA_WINEPREFIX:-$kaleidra_root/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
# Wine takes each process's ANSI code page from the Unix locale it starts under (ja_JP: 932,
# C.UTF-8: 1252), so one prefix and one running server serve every locale; KALEIDRA_LOCALE picks it.
export KALEIDRA_LOCALE=${KALEIDRA_LOCALE:-ja_JP.UTF-8}
export LANG=$KALEIDRA_LOCALE
export LC_ALL=$KALEIDRA_LOCALE
