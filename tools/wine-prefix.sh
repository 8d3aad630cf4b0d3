#!/usr/bin/env bash
# Prepares the private Wine prefix once: Japanese font replacements, Wine's own fonts, and frames
# drawn by Wine itself (no window manager runs under Xvfb).
set -euo pipefail
# Made under the Japanese locale whatever KALEIDRA_LOCALE says: Wine stores the menu, caption and
# message fonts at creation from the code page of that moment (under C.UTF-8 a smaller height and
# another charset), and keeps them under every later locale.
export KALEIDRA_LOCALE=ja_JP.UTF-8
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

stamp=$WINEPREFIX/.kaleidra-ready
[ -f "$stamp" ] && exit 0

echo "Preparing the Wine prefix in $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

fonts_dir=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts_dir"
cp /usr/share/wine/fonts/*.ttf "$fonts_dir"/

replacements='HKCU\Software\Wine\Fonts\Replacements'
for face in "MS UI Gothic" "MS PGothic" "ＭＳ Ｐゴシック" "MS Shell Dlg" "MS Shell Dlg 2"; do
  wine reg add "$replacements" /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
done
for face in "MS Gothic" "ＭＳ ゴシック"; do
  wine reg add "$replacements" /v "$face" /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# A program that crashes ends at once: Wine's crash dialog would wait for a click that no test gives.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w

touch "$stamp"
