#!/usr/bin/env bash
# Builds the program for 64-bit Windows with Debian's MinGW-w64 (folder
# build-windows/, toolchain file cmake/mingw-w64-x86_64.cmake) and runs its
# tests under Wine: GoogleTest is built from Debian's sources with the cross
# compiler, CLI11 is Debian's header-only copy, the runtime is linked in so
# that each .exe runs alone. Qt for Windows is not at hand here, so the
# window is not built; the Qt-free programs are.
#
# Wine runs with a throw-away prefix, no display and no debug output, and one
# wine server kept up for the whole run (each program then starts in tens of
# milliseconds instead of seconds).
#
# Usage: scripts/windows.sh [--quick] [LINUX_BUILD_FOLDER, default build-test]
#
# Without options (what scripts/test.sh runs) every Qt-free test program is
# built and run, then the tool is compared with the Linux one and packaged.
# --quick builds and runs only the tool and the tests of what is Windows's
# own (the platform layer's contract, the HID backend, the Windows save
# cases, the tool's command line in process), for a fast look after a change
# to them.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

# What the Windows build builds and runs under Wine: by default everything it
# has, that is every Qt-free test program (the sources that test what only
# POSIX systems have are left out by tests/CMakeLists.txt) and the fuzzers'
# corpora replayed; with --quick the tool and the tests of what is Windows's
# own.
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

cmake -S "$TARNVIK_ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTARNVIK_WINDOWS_DEPS="$deps" "${flags[@]}" \
  -DTARNVIK_BUILD_WINDOW=OFF -DTARNVIK_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${build_targets[@]}"


# The tool's package: the executable and the README's sections on the tool,
# as text with Windows line ends.
readme_sections=("Command-line tool" "Trying it without a unit: the simulated unit")
make_tool_package() {
  local version stage zip
  version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$TARNVIK_ROOT/CMakeLists.txt")
  stage=$build/package/tarnvik-cli-$version-win64
  zip=$build/tarnvik-cli-$version-win64.zip
  rm -rf "$stage" "$zip"
  mkdir -p "$stage"
  cp "$build/bin/tarnvik-cli.exe" "$stage/"
  tarnvik_readme_sections "$TARNVIK_ROOT/README.md" "${readme_sections[@]}" | sed 's/$/\r/' >"$stage/README.txt"
  (cd "$build/package" && cmake -E tar cf "$zip" --format=zip "$(basename "$stage")")
  echo "Package: $zip"
}
# The "## " sections of a Markdown file with the given titles, in the file's
# order, each with its "###" subsections (a "#" line inside a fenced code
# block is not a heading). Fails when a title is missing.
tarnvik_readme_sections() {
  local file=$1 title
  shift
  for title in "$@"; do
    grep -qxF "## $title" "$file" || { echo "README.md has no section \"## $title\"" >&2; return 1; }
  done
  awk -v titles="$(printf '%s\n' "$@")" '
    BEGIN { n = split(titles, list, "\n"); for (i = 1; i <= n; i++) wanted["## " list[i]] = 1 }
    /^```/ { fenced = !fenced }
    !fenced && /^## / { keep = ($0 in wanted) }
    !fenced && /^# / { keep = 0 }
    keep' "$file"
}
wrestool -l "$build/bin/tarnvik-cli.exe" | grep -q -- "--type=14" || { echo "tarnvik-cli.exe has no icon" >&2; exit 1; }
wrestool -l "$build/bin/tarnvik-cli.exe" | grep -q -- "--type=16" || { echo "tarnvik-cli.exe has no version" >&2; exit 1; }
make_tool_package

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
