#!/usr/bin/env bash
# Builds the program for 64-bit Windows with Debian's MinGW-w64 (folder
# build-windows/, toolchain file cmake/mingw-w64-x86_64.cmake): the window
# and its Qt test programs against Qt for Windows (built once per machine
# from Debian's source by scripts/qt-windows.sh), the tool and every other
# test program; then runs every test program under Wine, compares the tool
# with the Linux one, and makes what a Windows operator downloads (the zip
# and the installer, scripts/windows-package.sh). GoogleTest is built from
# Debian's sources with the cross compiler, CLI11 is Debian's header-only
# copy. The tool and the Qt-free programs carry their runtime linked in, so
# each .exe runs alone; the Qt programs use the runtime DLLs that Qt's DLLs
# use, copied beside them in build-windows/bin with Qt's.
#
# Wine runs with a throw-away prefix, no display and no debug output, and one
# wine server kept up for the whole run (each program then starts in tens of
# milliseconds instead of seconds). The Qt programs run on Qt's offscreen
# platform with DejaVu Sans as their only font.
#
# Usage: scripts/windows.sh [--quick] [LINUX_BUILD_FOLDER, default build-test]
#
# Without options (what scripts/test.sh runs) everything is built and run,
# then the tool is compared with the Linux one and the packages are made and
# installed under Wine. --quick builds and runs only the tool and the tests
# of what is Windows's own (the platform layer's contract, the HID backend,
# the Windows save cases, the tool's command line in process), for a fast
# look after a change to them.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

# What the Windows build builds and runs under Wine: by default everything it
# has, that is the window, every test program (the sources that test what
# only POSIX systems have are left out by tests/CMakeLists.txt) and the
# fuzzers' corpora replayed; with --quick the tool and the tests of what is
# Windows's own.
build_targets=(all)
tests_run=.
if [ "${1:-}" = --quick ]; then
  shift
  build_targets=(tarnvik-cli platform_tests lock_holder cli_save_tests cli_inprocess_tests windows_hid_tests
    windows_hid_system_tests)
  tests_run="^(platform_tests|cli_save_tests|cli_inprocess_tests|windows_hid_tests|windows_hid_system_tests)\$"
fi

# The Linux build whose tarnvik-cli the Windows one is compared with.
linux_build=$TARNVIK_ROOT/${1:-build-test}
if [ ! -x "$linux_build/bin/tarnvik-cli" ]; then
  echo "No Linux tool at $linux_build/bin/tarnvik-cli to compare with: build it first" \
    "(scripts/test.sh does), or name the build folder: scripts/windows.sh build-dev" >&2
  exit 1
fi

tarnvik_ensure_packages "${TARNVIK_WINDOWS_PACKAGES[@]}"
# Qt for Windows: built on the first run on this machine (about 20 minutes),
# then reused.
qt=$(bash "$TARNVIK_ROOT/scripts/qt-windows.sh")
# Built once: a second run finds it and builds nothing.
reuse=$(bash "$TARNVIK_ROOT/scripts/qt-windows.sh" 2>&1 >/dev/null)
[ "$reuse" = "Qt for Windows: reusing $qt" ] || { echo "Qt for Windows was not reused: $reuse" >&2; exit 1; }
[ "$(bash "$TARNVIK_ROOT/scripts/qt-windows.sh" --path)" = "$qt" ] || { echo "qt-windows.sh --path differs" >&2; exit 1; }

build=$TARNVIK_ROOT/build-windows
deps=$build/deps
toolchain=$TARNVIK_ROOT/cmake/mingw-w64-x86_64.cmake
# Lean: optimised enough for fast tests, no debug information, the sources
# compiled in batches (each compiler run reads the shared headers once for
# several files; the Linux build compiles each file alone).
flags=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON)

# GoogleTest for the target, built once from Debian's sources.
if [ ! -f "$deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${flags[@]}" \
    -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$deps" >/dev/null
  cmake --build "$build/googletest" -j"$(nproc)"
  cmake --install "$build/googletest" >/dev/null
fi
# CLI11 is header-only: Debian's copy, where the cross build looks for headers.
mkdir -p "$deps/include"
ln -sfn /usr/include/CLI "$deps/include/CLI"

# Qt's own host tools (moc, rcc, uic) are Debian's, run on this machine.
cmake -S "$TARNVIK_ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTARNVIK_WINDOWS_DEPS="$deps;$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${flags[@]}" \
  -DTARNVIK_BUILD_WINDOW=ON -DTARNVIK_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${build_targets[@]}"
source "$TARNVIK_ROOT/scripts/windows-deploy.sh"
tarnvik_windows_deploy "$qt" "$build/bin" test


for exe in tarnvik-cli tarnvik-configurator; do
  [ -f "$build/bin/$exe.exe" ] || continue
  wrestool -l "$build/bin/$exe.exe" | grep -q -- "--type=14" || { echo "$exe.exe has no icon" >&2; exit 1; }
  wrestool -l "$build/bin/$exe.exe" | grep -q -- "--type=16" || { echo "$exe.exe has no version" >&2; exit 1; }
done

# The tests, under Wine.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tarnvik-wine-XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
stop_wine() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT
"$wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1
# The Qt programs: offscreen (Wine hands a variable WINEQT_X to Windows
# programs as QT_X, and drops QT_X itself), with one font, so that layouts
# measure as on Linux's offscreen runs.
fonts=$build/fonts
mkdir -p "$fonts"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$fonts/"
export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR="Z:${fonts//\//\\}"
ctest --test-dir "$build" -R "$tests_run" --output-on-failure -j"$(nproc)"

# The tool under Wine against the Linux build's, byte for byte.
bash "$TARNVIK_ROOT/scripts/windows-compare.sh" "$linux_build/bin/tarnvik-cli" "$build/bin/tarnvik-cli.exe" \
  "$build/compare"
# Without a unit, through the system's own HID calls (Wine lists no HID device).
for command in list version; do
  status=0
  got=$("$wine" "$build/bin/tarnvik-cli.exe" "$command" 2>&1) || status=$?
  if [ "$status" -ne 1 ] || [ "$got" != "Tarnvik not found." ]; then
    echo "tarnvik-cli.exe $command without a unit gave status $status and: $got" >&2
    exit 1
  fi
done
echo "Without a unit, list and version log \"Tarnvik not found.\" and end with status 1."
[ "${build_targets[*]}" = all ] || exit 0

# What a Windows operator downloads, made and tried: the zip and the installer,
# installed, run and uninstalled in this prefix.
bash "$TARNVIK_ROOT/scripts/windows-package.sh" "$build" "$qt"
