#!/usr/bin/env bash
# Pictures of the main window, one per tab and per telemetry page, taken on a
# virtual X display at the desktop's default font: screenshots.sh [FOLDER]
# (default build/screenshots). Needs xvfb, xauth and imagemagick.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"
tarnvik_ensure_packages "${TARNVIK_PACKAGES[@]}" xvfb xauth imagemagick
folder=${1:-$TARNVIK_ROOT/build/screenshots}
mkdir -p "$folder"
cmake -S "$TARNVIK_ROOT" -B "$TARNVIK_ROOT/build" >/dev/null
cmake --build "$TARNVIK_ROOT/build" -j"$(nproc)" --target window-screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$TARNVIK_ROOT/build/bin/window-screenshots" "$folder"
echo "Pictures in $folder"
