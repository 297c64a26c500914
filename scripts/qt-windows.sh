#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (qtbase: Core, Gui, Widgets, Test, the windows
# and offscreen platform plugins, the vista style) from Debian's own qt6-base
# source package, with Debian's MinGW-w64 and Debian's Qt host tools (moc, rcc
# and uic run on this machine), and installs it into a cache folder outside
# the checkout:
#
#   ${XDG_CACHE_HOME:-$HOME/.cache}/tarnvik/qt-VERSION-win64-HASH
#
# HASH covers the configure options, the source fix below and the toolchain,
# so a change to any of them builds a new Qt beside the old one. A finished
# install carries the stamp file .complete; a second run finds it and does
# nothing. Nothing is downloaded but Debian's packages (the source with
# apt-get source, which needs deb-src lines: added for Debian's own archive
# when run as root and none are there).
#
# Usage: scripts/qt-windows.sh        builds when missing, prints the folder
#        scripts/qt-windows.sh --path prints the folder, builds nothing
#                                     (status 1 when it is not built yet)
#
# The first build runs about 880 compiler runs: about 20 minutes on an idle
# 2-core machine, 0.8 GB of memory, 1 GB of disk while it builds, 80 MB kept.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

TARNVIK_QT_WINDOWS_PACKAGES=(dpkg-dev g++-mingw-w64-x86-64-posix cmake ninja-build qt6-base-dev qt6-base-dev-tools)

toolchain=$TARNVIK_ROOT/cmake/qt-mingw-w64-x86_64.cmake
# Only what the window and its tests use; the rest of qtbase is off (no SQL,
# network, OpenGL, printing, D-Bus). The +dfsg source has no wintab (so no
# tablet events) and the bundled libraries stand in for the system's, which
# MinGW does not have. androiddeployqt and zstd are off against two Debian
# patches meant for native builds.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF
  -DFEATURE_pkg_config=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_testlib=ON -DFEATURE_gui=ON -DFEATURE_widgets=ON
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF
  -DFEATURE_androiddeployqt=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_fontconfig=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF -DFEATURE_freetype=ON
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_harfbuzz=ON -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_textmarkdownreader=OFF -DFEATURE_system_libb2=OFF
)
# The one source fix: with direct2d off, qtbase 6.4 leaves the DirectWrite
# font database out of Qt Gui while the windows plugin still asks for it when
# directwrite3 is on, and qwindows.dll does not link. Text is then drawn by
# the GDI font engine, Qt's default on Windows.
fix_file=src/plugins/platforms/windows/qwindowsintegration.cpp
fix_from='#if QT_CONFIG(directwrite3)'
fix_to='#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)'

cache=${XDG_CACHE_HOME:-$HOME/.cache}/tarnvik

# The version of Debian's qt6-base source, as apt knows it (the same as the
# installed host tools: they must match the target's Qt).
qt_version() {
  dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null
}

qt_prefix() {
  local version key
  version=$(qt_version)
  [ -n "$version" ] || return 1
  key=$({ printf '%s\n' "${qt_options[@]}" "$fix_file" "$fix_from" "$fix_to"; cat "$toolchain"; } | sha256sum | cut -c1-12)
  echo "$cache/qt-${version//[^A-Za-z0-9.+]/_}-win64-$key"
}

if [ "${1:-}" = --path ]; then
  prefix=$(qt_prefix) && [ -f "$prefix/.complete" ] && { echo "$prefix"; exit 0; }
  exit 1
fi

tarnvik_ensure_packages "${TARNVIK_QT_WINDOWS_PACKAGES[@]}"
prefix=$(qt_prefix)
if [ -f "$prefix/.complete" ]; then
  echo "Qt for Windows: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi

# deb-src lines for Debian's own archive, when none are configured.
ensure_source_lines() {
  apt-get source --print-uris qt6-base >/dev/null 2>&1 && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "apt has no source lines (deb-src) for qt6-base: add them for Debian's archive, as root," \
      "and run apt-get update" >&2
    exit 1
  fi
  echo "Qt for Windows: adding deb-src lines for Debian's archive (/etc/apt/sources.list.d/tarnvik-src.sources)" >&2
  local suite
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  cat >/etc/apt/sources.list.d/tarnvik-src.sources <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite ${suite}-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt-get update >/dev/null
}

work=$cache/qt-build.$$
cleanup() { rm -rf "$work"; }
trap cleanup EXIT
started=$SECONDS
echo "Qt for Windows is not built yet: building it once for this machine into $prefix" >&2
echo "(about 20 minutes on an idle 2-core machine; later runs reuse it)." >&2
ensure_source_lines
rm -rf "$prefix"
mkdir -p "$work"
echo "Qt for Windows: fetching and unpacking Debian's qt6-base source ($(qt_version))" >&2
(cd "$work" && apt-get source -q=2 "qt6-base=$(qt_version)" >/dev/null)
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$src" ] || { echo "apt-get source left no qt6-base folder in $work" >&2; exit 1; }

echo "Qt for Windows: applying the source fix to $fix_file" >&2
changed=$(grep -c -xF "$fix_from" "$src/$fix_file" || true)
[ "$changed" -eq 2 ] || { echo "Expected two lines '$fix_from' in $fix_file, found $changed" >&2; exit 1; }
sed -i "s/^$fix_from\$/$fix_to/" "$src/$fix_file"

echo "Qt for Windows: configuring" >&2
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_options[@]}" >"$work/configure.log" 2>&1 ||
  { tail -n 40 "$work/configure.log" >&2; exit 1; }
echo "Qt for Windows: building (ninja; the longest step)" >&2
ninja -C "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
# Qt's licence texts and where its source came from, for the notes that ship
# with the window.
mkdir -p "$prefix/licenses"
cp "$src"/LICENSES/*.txt "$src/debian/copyright" "$prefix/licenses/"
printf 'Debian source package qt6-base %s, with one change to %s:\n  %s\n  became\n  %s\n' \
  "$(qt_version)" "$fix_file" "$fix_from" "${fix_to//\\/}" >"$prefix/SOURCE.txt"
touch "$prefix/.complete"
echo "Qt for Windows: built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s: $prefix" >&2
echo "$prefix"
