# Shared by start.sh and test.sh: makes sure the Debian packages the build
# needs are present, installing them when run as root.

TARNVIK_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libhidapi-dev libcli11-dev libgtest-dev libgmock-dev librsvg2-bin)
# Only the test command needs these: the format check, the benchmarks, and the
# install and package checks (desktop entry, manual pages, dpkg-shlibdeps,
# the software centre's metainfo, the file type, lintian).
TARNVIK_TEST_PACKAGES=(clang-format libbenchmark-dev desktop-file-utils man-db groff-base dpkg-dev file appstream
  shared-mime-info libglib2.0-bin lintian)
# Only scripts/screenshots.sh needs these: a virtual display, a window manager and a screen grabber.
TARNVIK_SCREENSHOT_PACKAGES=(xvfb xauth imagemagick openbox)
# Only scripts/windows.sh needs these: the MinGW-w64 cross compiler (POSIX
# threads), GoogleTest's sources to build with it, Wine to run the tests,
# wrestool to look at the programs' resources, the font the Qt tests measure
# with, NSIS for the installer (scripts/qt-windows.sh adds what building Qt
# for Windows needs).
TARNVIK_WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest libcli11-dev wine64 icoutils
  fonts-dejavu-core nsis)
# Only scripts/windows-icon.sh needs these: an SVG renderer and an icon maker.
TARNVIK_ICON_PACKAGES=(librsvg2-bin icoutils)
# Only scripts/fuzz.sh needs these: clang with libFuzzer and the sanitizers.
TARNVIK_FUZZ_PACKAGES=(cmake make clang-14 libclang-rt-14-dev)

tarnvik_missing_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  echo "${missing[@]}"
}

tarnvik_ensure_packages() {
  local missing
  missing=$(tarnvik_missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing: $missing" >&2
    echo "Install them as root with: apt-get update && apt-get install -y $missing" >&2
    exit 1
  fi
  echo "Installing: $missing"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
}

# Configures and builds one build folder: tarnvik_build FOLDER [cmake options...]
tarnvik_build() {
  local folder=$1
  shift
  cmake -S "$TARNVIK_ROOT" -B "$TARNVIK_ROOT/$folder" "$@"
  cmake --build "$TARNVIK_ROOT/$folder" -j"$(nproc)"
}

# Fails when a C++ file strays from the house style (.clang-format).
tarnvik_check_format() {
  local files
  mapfile -t files < <(find "$TARNVIK_ROOT/src" "$TARNVIK_ROOT/tests" "$TARNVIK_ROOT/bench" "$TARNVIK_ROOT/fuzz" \
    \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
  if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "These files stray from the house style; run: clang-format -i <file>" >&2
    exit 1
  fi
}
