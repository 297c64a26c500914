#!/usr/bin/env bash
# Tries the Windows installer as an operator meets it, silently, under Wine:
# installs for the current user with no administrator rights, checks the
# files (those of the zip's folder), the Start menu entry and the entry in
# the list of installed programs, starts the installed tool and window, then
# uninstalls and checks that everything installed is gone while the
# operator's own files (a configuration kept in the install folder, the
# backups of the unit) stay.
#
# Usage: scripts/windows-install-test.sh SETUP_EXE STAGE_FOLDER
# (Wine as scripts/windows.sh sets it up: a throw-away WINEPREFIX and a
# running server.)
set -euo pipefail
setup=$1
stage=$2
wine=${TARNVIK_WINE:-/usr/lib/wine/wine64}
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TarnvikConfigurator'
fail() {
  echo "Installer test: $*" >&2
  exit 1
}

# A folder of the prefix by its Windows variable, as a Linux path.
folder_of() {
  local windows
  windows=$("$wine" cmd /c echo "%$1%" | tr -d '\r')
  "$wine" winepath -u "$windows" | tr -d '\r'
}
registered() { "$wine" reg query "$key" /v "$1" >/dev/null 2>&1; }

local_app_data=$(folder_of LOCALAPPDATA)
start_menu=$(folder_of APPDATA)/Microsoft/Windows/Start\ Menu/Programs
target=$local_app_data/Programs/Tarnvik\ Configurator
[ -n "$local_app_data" ] && [ ! -e "$target" ] || fail "no %LOCALAPPDATA%, or $target is there before the install"

"$wine" "$setup" /S || fail "the silent install ended with status $?"
(cd "$stage" && find . -type f) | while read -r file; do
  cmp -s "$stage/$file" "$target/$file" || fail "installed $file differs from the zip's or is missing"
done
[ -f "$target/uninstall.exe" ] || fail "no uninstaller"
[ -f "$start_menu/Tarnvik Configurator.lnk" ] || fail "no Start menu entry"
for value in DisplayName DisplayVersion UninstallString QuietUninstallString InstallLocation; do
  registered "$value" || fail "the list of installed programs has no $value"
done
echo "Installer: installed for the user into $target, with a Start menu entry and an uninstall entry"

# The installed tool runs from its folder (the runtime is in it).
got=$("$wine" "$target/tarnvik-cli.exe" defaults --utc 2026-07-03T09:05 -o -) || fail "the installed tool failed"
[ "${got%%$'\r'*}" = "[!WARNING]" ] || fail "the installed tool's defaults start with \"${got:0:40}\""
# The installed window starts: its Qt and runtime DLLs and its platform
# plugin load from its folder (--help answers before any window opens).
got=$(env -u WINEQT_QPA_PLATFORM -u WINEQT_QPA_FONTDIR "$wine" "$target/tarnvik-configurator.exe" --help 2>/dev/null) || fail "the installed window did not start"
[[ $got == Usage:* ]] || fail "the installed window's --help printed \"${got:0:60}\""
echo "Installer: the installed tarnvik-cli.exe and tarnvik-configurator.exe run"

# The operator's own files, which the uninstaller must leave.
mkdir -p "$target/config" "$local_app_data/tarnvik-configurator/backups"
echo "[!WARNING]" >"$target/config/mine.cfg"
echo backup >"$local_app_data/tarnvik-configurator/backups/kept.bin"

# The uninstaller copies itself away and runs from there: wait for its end.
"$wine" "$target/uninstall.exe" /S || fail "the silent uninstall ended with status $?"
for _ in $(seq 1 100); do
  [ ! -e "$target/uninstall.exe" ] && ! registered DisplayName && break
  sleep 0.2
done
left=$(cd "$target" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./config ./config/mine.cfg " ] || fail "after the uninstall the folder holds: $left"
[ ! -e "$start_menu/Tarnvik Configurator.lnk" ] || fail "the Start menu entry stayed"
! registered DisplayName || fail "the uninstall entry stayed"
[ -f "$local_app_data/tarnvik-configurator/backups/kept.bin" ] || fail "the backups went"
echo "Installer: uninstalled all it installed; the operator's configuration and backups stay"
