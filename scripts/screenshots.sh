#!/usr/bin/env bash
# Pictures of the main window, one per tab and per telemetry page, with the
# start-up values and with every field at its longest value, and of the
# special strings dialog, a message box, the questions and the window's other
# boxes, the manual, the window made larger, the unit's status line, the Unit
# menu with two simulated units and the compare dialog, taken on a virtual X display
# with a window manager (so that title bars show) at the desktop's default
# font, at 96 and at 120 dpi, and at twice the scale on a 1280 x 1024 screen:
# screenshots.sh [FOLDER] (default build/screenshots, one folder per run);
# TARNVIK_BUILD_DIR names another build folder than build. Installs xvfb,
# xauth, imagemagick and openbox when they are missing.
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
