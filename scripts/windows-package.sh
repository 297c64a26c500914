#!/usr/bin/env bash
# What a Windows operator downloads, made from the Windows build and tried
# under Wine:
#
#   build-windows/tarnvik-configurator-VERSION-win64.zip   one folder: the window,
#       the tool, the Qt and runtime DLLs, platforms/ and styles/, README.txt
#       for operators and the licence texts; stripped
#   build-windows/tarnvik-configurator-VERSION-setup.exe   a per-user installer
#       of the same files (packaging/windows/installer.nsi, Debian's NSIS)
#
# The installer is then run silently in the Wine prefix of the caller
# (scripts/windows.sh makes a throw-away one), the installed tool is started,
# and the uninstaller run; what each step leaves is checked.
#
# Usage: scripts/windows-package.sh BUILD_FOLDER QT_PREFIX
# (Wine as scripts/windows.sh sets it up: WINEPREFIX and a running server.)
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/windows-deploy.sh"
build=$1
qt=$2
wine=${TARNVIK_WINE:-/usr/lib/wine/wine64}
strip=x86_64-w64-mingw32-strip
version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$TARNVIK_ROOT/CMakeLists.txt")
name=tarnvik-configurator-$version-win64
stage=$build/package/$name
zip=$build/$name.zip
setup=$build/tarnvik-configurator-$version-setup.exe

# The README's sections for operators, as text with Windows line ends.
readme_sections=("Tarnvik Configurator on Windows" "The window" "Command-line tool"
  "Trying it without a unit: the simulated unit")

# The "## " sections of a Markdown file with the given titles, in the order
# given, each with its "###" subsections (a "#" line inside a fenced code
# block is not a heading). Fails when a title is missing.
readme_sections_of() {
  local file=$1 title
  shift
  for title in "$@"; do
    grep -qxF "## $title" "$file" || { echo "README.md has no section \"## $title\"" >&2; return 1; }
    awk -v wanted="## $title" '
      /^```/ { fenced = !fenced }
      !fenced && (/^## / || /^# /) { keep = ($0 == wanted) }
      keep' "$file"
  done
}
crlf() { sed 's/\r$//; s/$/\r/'; }

# The folder of the zip and the installer.
make_stage() {
  rm -rf "$stage"
  mkdir -p "$stage/licenses"
  cp "$build/bin/tarnvik-configurator.exe" "$build/bin/tarnvik-cli.exe" "$stage/"
  tarnvik_windows_deploy "$qt" "$stage"
  find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec "$strip" --strip-unneeded {} +
  {
    echo "Tarnvik Configurator $version for Windows"
    echo
    readme_sections_of "$TARNVIK_ROOT/README.md" "${readme_sections[@]}"
  } | crlf >"$stage/README.txt"
  crlf <"$TARNVIK_ROOT/packaging/copyright" >"$stage/COPYRIGHT.txt"
  # Qt is under the LGPL: its licence texts, and where its source comes from.
  for text in LGPL-3.0-only GPL-3.0-only GPL-2.0-only; do
    [ -f "$qt/licenses/$text.txt" ] && crlf <"$qt/licenses/$text.txt" >"$stage/licenses/Qt-$text.txt"
  done
  {
    echo "The Qt 6 libraries and plugins in this folder (Qt6*.dll, platforms\\, styles\\) are"
    echo "Qt's qtbase, used under the GNU Lesser General Public License version 3"
    echo "(Qt-LGPL-3.0-only.txt). They were built for Windows from"
    cat "$qt/SOURCE.txt"
    echo "The source is Debian's: apt-get source qt6-base, or https://sources.debian.org/src/qt6-base/."
    echo "You may replace these DLLs with your own build of the same Qt version."
  } | crlf >"$stage/licenses/Qt-SOURCE.txt"
  # The C++ runtime's DLLs (libstdc++, libgcc_s: GPL with the GCC Runtime
  # Library Exception; libwinpthread: MIT and BSD terms).
  crlf </usr/share/doc/gcc-mingw-w64-base/copyright >"$stage/licenses/runtime-gcc.txt"
  crlf </usr/share/doc/mingw-w64-common/copyright >"$stage/licenses/runtime-mingw-w64.txt"
}

make_zip() {
  rm -f "$zip"
  (cd "$(dirname "$stage")" && cmake -E tar cf "$zip" --format=zip "$name")
  echo "Package: $zip ($(du -k "$zip" | cut -f1) KiB)"
}

# The installer's file lists: a File line per file (in its folder), and the
# uninstaller's Delete lines, then its folders, deepest first.
make_installer() {
  local lists=$build/package/nsis files remove size
  mkdir -p "$lists"
  files=$lists/files.nsh
  remove=$lists/remove.nsh
  (
    cd "$stage"
    find . -type d | sort | while read -r dir; do
      rel=${dir#.}
      echo "SetOutPath \"\$INSTDIR${rel//\//\\}\""
      find "$dir" -maxdepth 1 -type f | sort | while read -r file; do
        echo "File \"$stage/${file#./}\""
      done
    done
  ) >"$files"
  (
    cd "$stage"
    find . -type f | sort | while read -r file; do
      rel=${file#.}
      echo "Delete \"\$INSTDIR${rel//\//\\}\""
    done
    find . -mindepth 1 -type d | sort -r | while read -r dir; do
      rel=${dir#.}
      echo "RMDir \"\$INSTDIR${rel//\//\\}\""
    done
  ) >"$remove"
  size=$(du -sk "$stage" | cut -f1)
  makensis -V2 -DVERSION="$version" -DICON="$TARNVIK_ROOT/packaging/windows/tarnvik.ico" -DSIZE_KB="$size" \
    -DFILES="$files" -DREMOVE="$remove" -DOUTFILE="$setup" "$TARNVIK_ROOT/packaging/windows/installer.nsi"
  echo "Installer: $setup ($(du -k "$setup" | cut -f1) KiB)"
}

make_stage
make_zip
make_installer
bash "$TARNVIK_ROOT/scripts/windows-install-test.sh" "$setup" "$stage"
