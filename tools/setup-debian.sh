#!/usr/bin/env bash
# Installs what the build, the game and its tests need on Debian 12, only where something is missing.
set -euo pipefail

packages=(
  make cmake g++ clang lld libclang-rt-14-dev googletest pkg-config
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick locales
  fonts-ipafont-gothic fonts-dejavu-core libcairo2-dev libfreetype-dev python3 python3-xlib
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the Unix locale: ja_JP gives 932 (Shift-JIS), the game's own;
# zh_CN gives 936 (GBK), one of the others the code-page test runs the game under.
missing_locales=()
for name in ja_JP zh_CN; do
  locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || missing_locales+=("$name")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  for name in "${missing_locales[@]}"; do
    echo "Generating the $name.UTF-8 locale"
    as_root sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen >/dev/null
fi
