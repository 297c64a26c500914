#!/usr/bin/env bash
# Builds the Debian package with CPack from a build folder and checks it: its
# dependencies (the libraries the programs link, read off by dpkg-shlibdeps,
# plus the Qt platform plugins), its contents, its software centre metainfo
# (appstreamcli) and lintian's verdict (no error; its warnings are shown).
# With --install it then
# installs the package on this machine with apt-get (without the recommended
# udev, which a desktop has anyway), and checks that the installed tool runs, its manual page opens and the
# desktop entry is valid and starts the window.
#
# Usage: bash scripts/package.sh [BUILD_FOLDER] [--install]
# (BUILD_FOLDER relative to the project; default build). scripts/test.sh runs
# it without --install; installing needs root.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=build
install=no
for arg in "$@"; do
  case $arg in
    --install) install=yes ;;
    *) folder=$arg ;;
  esac
done
build=$TARNVIK_ROOT/$folder
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -f "$build"/tarnvik-configurator_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tarnvik-configurator_*.deb)
echo "Built $deb"

# Dependencies: the linked libraries and the platform plugins the window needs.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libhidapi-hidraw0 qt6-qpa-plugins; do
  grep -Eq "(^|, )${package//+/\\+}( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = udev ] || fail "udev is not recommended"
[ "$(dpkg-deb -f "$deb" Section)" = hamradio ] || fail "section is not hamradio"
if dpkg-deb -f "$deb" Description | grep -q ';'; then fail "the description holds a list separator"; fi

# Contents: exactly the installed files, programs stripped.
expected="./usr/bin/tarnvik-cli
./usr/bin/tarnvik-configurator
./usr/lib/udev/rules.d/70-tarnvik.rules
./usr/share/applications/tarnvik-configurator.desktop
./usr/share/doc/tarnvik-configurator/changelog.gz
./usr/share/doc/tarnvik-configurator/copyright
./usr/share/doc/tarnvik-configurator/examples/70-tarnvik-group.rules
$(for size in 128 16 22 24 256 32 48 64; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/tarnvik-configurator.png"; done)
./usr/share/icons/hicolor/scalable/apps/tarnvik-configurator.svg
./usr/share/man/man1/tarnvik-cli.1.gz
./usr/share/man/man1/tarnvik-configurator.1.gz
./usr/share/metainfo/org.tarnvik.configurator.metainfo.xml
./usr/share/mime/packages/tarnvik-configurator.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[ "$files" = "$expected" ] || fail "package contents differ:
$files"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
for program in tarnvik-cli tarnvik-configurator; do
  file "$unpacked/usr/bin/$program" | grep -q ", stripped" || fail "$program is not stripped"
done
for size in 16 22 24 32 48 64 128 256; do
  file "$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/tarnvik-configurator.png" |
    grep -q "PNG image data, $size x $size" || fail "the ${size}x${size} icon is not a PNG of that size"
done
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.tarnvik.configurator.metainfo.xml" >/dev/null ||
  fail "metainfo: $(appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.tarnvik.configurator.metainfo.xml")"
grep -q '^Exec=tarnvik-configurator %f$' "$unpacked/usr/share/applications/tarnvik-configurator.desktop" ||
  fail "the desktop entry does not pass the file it is asked to open"

# lintian: no error; its warnings and remarks are listed for the reader.
lintian_output=$(lintian --tag-display-limit 0 --display-info --fail-on none "$deb" 2>&1 | grep -v 'running with root' || true)
[ -z "$lintian_output" ] || echo "lintian says:"$'\n'"$lintian_output"
if grep -q '^E: ' <<<"$lintian_output"; then fail "lintian reports errors"; fi

if [ "$install" = yes ]; then
  # Without the recommended packages (udev), to show that the Depends alone
  # make both programs work, and to leave the machine's own udev alone.
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb"
  [ "$(dpkg-query -W -f='${Status}' tarnvik-configurator)" = "install ok installed" ] || fail "package not installed"
  /usr/bin/tarnvik-cli --help | grep -q "^Examples:" || fail "installed tarnvik-cli --help fails"
  man -w tarnvik-cli >/dev/null || fail "man tarnvik-cli finds no page"
  desktop=/usr/share/applications/tarnvik-configurator.desktop
  desktop-file-validate "$desktop" || fail "installed desktop entry is not valid"
  exec_line=$(sed -n 's/^Exec=//p' "$desktop")
  command -v "${exec_line%% *}" >/dev/null || fail "desktop entry's program is not on the PATH"
  status=0
  (cd "$unpacked" && QT_QPA_PLATFORM=offscreen timeout 5 $exec_line >/dev/null 2>&1) || status=$?
  [ "$status" -eq 124 ] || fail "the desktop entry's command ended with status $status instead of running"
fi

[ "$failures" -eq 0 ] || exit 1
if [ "$install" = yes ]; then echo "Package checked, installed and tried."; else echo "Package checked."; fi
