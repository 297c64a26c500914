#!/usr/bin/env bash
# Pictures of the main window, one per tab and per telemetry page, taken on a
# virtual X display at the desktop's default font: screenshots.sh [FOLDER]
# (default build/screenshots); TARNVIK_BUILD_DIR names another build folder
# than build. Installs xvfb, xauth and imagemagick when they are missing.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"
tarnvik_ensure_packages "${TARNVIK_PACKAGES[@]}" "${TARNVIK_SCREENSHOT_PACKAGES[@]}"
build=$TARNVIK_ROOT/${TARNVIK_BUILD_DIR:-build}
folder=$(realpath -m "${1:-$build/screenshots}")
mkdir -p "$folder"
cmake -S "$TARNVIK_ROOT" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target window-screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/window-screenshots" "$folder"
echo "Pictures in $folder"
