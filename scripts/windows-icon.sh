#!/usr/bin/env bash
# Renders the program's emblem (packaging/tarnvik-configurator.svg) into the
# Windows icon the programs carry, packaging/windows/tarnvik.ico: the small
# sizes as bitmaps, 64 pixels and up as PNG. Run it after changing the
# emblem, and commit the icon (a Windows build has no SVG renderer).
#
# Usage: scripts/windows-icon.sh [OUTPUT]   (default: the committed icon)
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

tarnvik_ensure_packages "${TARNVIK_ICON_PACKAGES[@]}"
output=${1:-$TARNVIK_ROOT/packaging/windows/tarnvik.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

images=()
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$TARNVIK_ROOT/packaging/tarnvik-configurator.svg" -o "$work/$size.png"
  if [ "$size" -ge 64 ]; then images+=(-r "$work/$size.png"); else images+=("$work/$size.png"); fi
done
icotool -c -o "$output" "${images[@]}"
