#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a
# normal build, whose Debian package is then built and checked, and once built
# with AddressSanitizer and UndefinedBehaviorSanitizer; then the Windows build
# (the window against Qt for Windows, built from Debian's source the first
# time on a machine: about 20 minutes more), run under Wine, and what a
# Windows operator downloads, made and tried.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

# Each stage's time, so that a slow one shows.
stage_start=$SECONDS
stage_done() {
  echo "== $1 took $((SECONDS - stage_start)) s (total $SECONDS s)"
  stage_start=$SECONDS
}

tarnvik_ensure_packages "${TARNVIK_PACKAGES[@]}" "${TARNVIK_TEST_PACKAGES[@]}"
export QT_QPA_PLATFORM=offscreen
stage_done "Packages"

tarnvik_check_format

# Line tables are all the debug information the tests' reports need (a
# sanitizer's stack trace names files and lines); full debug information
# makes every compile a quarter slower. The package strips it anyway.
tarnvik_build build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
  -DTARNVIK_WERROR=ON
stage_done "Normal build"
ctest --test-dir "$TARNVIK_ROOT/build-test" --output-on-failure -j"$(nproc)"
stage_done "Normal build's tests"
# The Debian package, built and checked (a few seconds once the build is there).
bash "$TARNVIK_ROOT/scripts/package.sh" build-test
stage_done "Package"

# The sanitizer build compiles its sources in batches (one compiler run reads
# the Qt, GoogleTest and library headers once for several files: a third of
# the time). The normal build above compiles each file alone, so a file that
# leans on another's includes still fails there.
tarnvik_build build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DTARNVIK_SANITIZE=ON -DTARNVIK_WERROR=ON \
  -DCMAKE_UNITY_BUILD=ON
stage_done "Sanitizer build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$TARNVIK_ROOT/scripts/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$TARNVIK_ROOT/build-asan" --output-on-failure -j"$(nproc)"
stage_done "Sanitizer build's tests"

# The Windows build with MinGW-w64: every test program run under Wine, its
# tool compared byte for byte with this normal build's, the zip and the
# installer made, and the installer tried.
bash "$TARNVIK_ROOT/scripts/windows.sh" build-test
stage_done "Windows build and its tests under Wine"
