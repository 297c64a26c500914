#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a
# normal build, whose Debian package is then built and checked, and once built
# with AddressSanitizer and UndefinedBehaviorSanitizer; then the Windows build,
# run under Wine.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

tarnvik_ensure_packages "${TARNVIK_PACKAGES[@]}" "${TARNVIK_TEST_PACKAGES[@]}"
export QT_QPA_PLATFORM=offscreen

tarnvik_check_format

tarnvik_build build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNVIK_WERROR=ON
ctest --test-dir "$TARNVIK_ROOT/build-test" --output-on-failure -j"$(nproc)"
# The Debian package, built and checked (a few seconds once the build is there).
bash "$TARNVIK_ROOT/scripts/package.sh" build-test

tarnvik_build build-asan -DCMAKE_BUILD_TYPE=Debug -DTARNVIK_SANITIZE=ON -DTARNVIK_WERROR=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$TARNVIK_ROOT/scripts/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$TARNVIK_ROOT/build-asan" --output-on-failure -j"$(nproc)"

# The Windows build with MinGW-w64, its own tests run under Wine and its tool
# compared byte for byte with this normal build's (the quick set; without
# --quick, scripts/windows.sh builds and runs every Qt-free test program).
bash "$TARNVIK_ROOT/scripts/windows.sh" --quick build-test
