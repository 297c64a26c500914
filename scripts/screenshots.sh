#!/usr/bin/env bash
# Pictures of the main window, one per tab and per telemetry page, with the
# start-up values and with every field at its longest value, and of the
# special strings dialog, a message box, the questions and the window's other
# boxes, the manual, the window made larger, the unit's status line, the Unit
# menu with two simulated units (also with the picked one pulled out), the
# compare dialog, the questions before a firmware upload and before writing
# another unit and the box of a write cut off, taken on a virtual X display
# with a window manager (so that title bars show) at the desktop's default
# font, at 96 and at 120 dpi, and at twice the scale on a 1280 x 1024 screen:
# screenshots.sh [FOLDER] (default build/screenshots, one folder per run);
# TARNVIK_BUILD_DIR names another build folder than build. Then the same
# pictures of the Windows build under Wine at 96 dpi (folder windows), when
# scripts/windows.sh has built it. Installs xvfb, xauth, imagemagick and
# openbox when they are missing.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"
tarnvik_ensure_packages "${TARNVIK_PACKAGES[@]}" "${TARNVIK_SCREENSHOT_PACKAGES[@]}"
build=$TARNVIK_ROOT/${TARNVIK_BUILD_DIR:-build}
folder=$(realpath -m "${1:-$build/screenshots}")
cmake -S "$TARNVIK_ROOT" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target window-screenshots
for dpi in 96 120; do
  mkdir -p "$folder/$dpi"
  # Qt scales the whole window by dpi/96, as a desktop set to that dpi does.
  QT_QPA_PLATFORM=xcb QT_FONT_DPI=$dpi xvfb-run -a -s "-screen 0 1280x1024x24 -dpi $dpi" \
    sh -c 'openbox >/dev/null 2>&1 & sleep 1; "$0" "$1"' "$build/bin/window-screenshots" "$folder/$dpi"
done
# Twice the scale on a 1280 x 1024 screen: the window is larger than the
# screen's room, and its client area scrolls.
mkdir -p "$folder/scale2"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  sh -c 'openbox >/dev/null 2>&1 & sleep 1; "$0" "$1"' "$build/bin/window-screenshots" "$folder/scale2"
echo "Pictures in $folder/96, $folder/120 and $folder/scale2"

# The Windows build (scripts/windows.sh makes it) under Wine, on Qt's windows
# platform, in a throw-away prefix that has Wine's own fonts (a fresh prefix
# offers none, and the dialog font falls back to a serif one).
windows_bin=$TARNVIK_ROOT/build-windows/bin
if [ ! -f "$windows_bin/window-screenshots.exe" ]; then
  echo "No Windows build at $windows_bin: run scripts/windows.sh for its pictures"
  exit 0
fi
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tarnvik-wine-XXXXXX")
trap 'rm -rf "$WINEPREFIX"' EXIT
WINEDEBUG=-all DISPLAY= /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
mkdir -p "$folder/windows"
WINEDEBUG=-all xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  sh -c 'openbox >/dev/null 2>&1 & sleep 1; /usr/lib/wine/wine64 "$0" "$1"; /usr/lib/wine/wineserver -k' \
  "$windows_bin/window-screenshots.exe" "Z:${folder//\//\\}\\windows"
echo "Pictures of the Windows build under Wine in $folder/windows"
