#!/usr/bin/env bash
# Installs what is missing, builds the configurator and starts it.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

tarnvik_ensure_packages "${TARNVIK_PACKAGES[@]}"
tarnvik_build build -DCMAKE_BUILD_TYPE=Release -DTARNVIK_BUILD_TESTS=OFF
exec "$TARNVIK_ROOT/build/bin/tarnvik-configurator"
