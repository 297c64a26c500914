#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `cmake --install` does for
# an operator, and checks what landed there: both programs run, the desktop
# entry is valid and names an installed program and icon, the PNG icons are
# there, the file type recognises a saved configuration by its content, the
# software centre's metainfo is valid, the udev rule is the unit's (the
# group-based one only an example), and the manual pages render (the tool's
# covers every command).
#
# Usage: install_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/tarnvik-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

cli=$prefix/bin/tarnvik-cli
window=$prefix/bin/tarnvik-configurator
rule=$prefix/lib/udev/rules.d/70-tarnvik.rules
group_rule=$prefix/share/doc/tarnvik-configurator/examples/70-tarnvik-group.rules
desktop=$prefix/share/applications/tarnvik-configurator.desktop
icon=$prefix/share/icons/hicolor/scalable/apps/tarnvik-configurator.svg
manpage=$prefix/share/man/man1/tarnvik-cli.1.gz
windowpage=$prefix/share/man/man1/tarnvik-configurator.1.gz
metainfo=$prefix/share/metainfo/org.tarnvik.configurator.metainfo.xml
mimetype=$prefix/share/mime/packages/tarnvik-configurator.xml
for file in "$cli" "$window" "$rule" "$group_rule" "$desktop" "$icon" "$manpage" "$windowpage" "$metainfo" "$mimetype" \
  "$prefix/share/doc/tarnvik-configurator/copyright" "$prefix/share/icons/hicolor/48x48/apps/tarnvik-configurator.png"; do
  [ -f "$file" ] || fail "not installed: ${file#"$prefix"/}"
done
for program in "$cli" "$window"; do
  [ -x "$program" ] || fail "not executable: $program"
  if ldd "$program" | grep -q "not found"; then fail "$program lacks libraries: $(ldd "$program" | grep 'not found')"; fi
done

# The tool runs from the prefix.
work=$prefix/work
mkdir "$work"
"$cli" --help | grep -q "^Examples:" || fail "tarnvik-cli --help shows no examples"
"$cli" defaults -o "$work/t.cfg" || fail "tarnvik-cli defaults failed"
[ "$("$cli" check "$work/t.cfg")" = OK ] || fail "tarnvik-cli check of its own file is not OK"
"$cli" diff "$work/t.cfg" "$work/t.cfg" || fail "tarnvik-cli diff of a file with itself reports a difference"

# The window starts and stays up (a program that cannot start ends at once).
status=0
(cd "$work" && QT_QPA_PLATFORM=offscreen timeout 5 "$window" >/dev/null 2>&1) || status=$?
[ "$status" -eq 124 ] || fail "tarnvik-configurator ended with status $status instead of running"

# The desktop entry.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop entry is not valid"
else
  echo "desktop-file-validate not installed: entry checked by hand only"
fi
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "desktop entry runs $exec_name, which is not installed"
[ "$(basename "$icon" .svg)" = "$icon_name" ] || fail "desktop entry names icon $icon_name, installed is $(basename "$icon")"
if command -v xmllint >/dev/null; then
  xmllint --noout "$icon" || fail "icon is not well-formed SVG"
fi
grep -q "<svg" "$icon" || fail "icon is not an SVG"

# The file type: a saved configuration is ours whatever its name; another
# program's .cfg is not.
if command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
  update-mime-database "$prefix/share/mime" >/dev/null
  "$cli" defaults -o "$work/unit1.notcfg"
  printf '[General]\nkey=1\n' >"$work/other.cfg"
  type_of() { XDG_DATA_DIRS="$prefix/share:/usr/share" gio info -a standard::content-type "$1" | sed -n 's/.*content-type: //p'; }
  [ "$(type_of "$work/unit1.notcfg")" = application/x-tarnvik-config ] || fail "a saved file is not recognised: $(type_of "$work/unit1.notcfg")"
  [ "$(type_of "$work/other.cfg")" != application/x-tarnvik-config ] || fail "another program's .cfg is taken for ours"
  grep -q '^MimeType=application/x-tarnvik-config;$' "$desktop" || fail "the desktop entry does not offer to open the file type"
else
  echo "update-mime-database or gio not installed: file type not checked"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >/dev/null || fail "metainfo is not valid: $(appstreamcli validate --no-net "$metainfo")"
fi
warnings=$(zcat "$windowpage" | groff -man -ww -z 2>&1 || true)
[ -z "$warnings" ] || fail "window's manual page warnings: $warnings"

# The udev rule gives the seat's user access to the Tarnvik only.
grep -q 'ATTRS{idVendor}=="0483", ATTRS{idProduct}=="a04a", TAG+="uaccess"' "$rule" || fail "udev rule does not match the unit"
# The group rule is an example beside it: the unit's, by group, and not active.
grep -Eq '^KERNEL=="hidraw\*", ATTRS\{idVendor\}=="0483", ATTRS\{idProduct\}=="a04a", GROUP="[a-z_-]+", MODE="0660"$' \
  "$group_rule" || fail "example group rule does not match the unit"
[ "$(ls "$(dirname "$rule")")" = "$(basename "$rule")" ] || fail "rules other than the seat rule installed as active"

# The manual page renders without warnings and describes every command.
warnings=$(zcat "$manpage" | groff -man -ww -z 2>&1 || true)
[ -z "$warnings" ] || fail "manual page warnings: $warnings"
page=$(MANWIDTH=100 man -l "$manpage" 2>/dev/null) || fail "man -l cannot render the manual page"
commands=$("$cli" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z]*\) .*/\1/p')
[ -n "$commands" ] || fail "no commands found in tarnvik-cli --help"
for command in $commands; do
  grep -Eq "^       $command( |$)" <<<"$page" || fail "manual page does not describe the command $command"
done
for option in --backup --verify --entries --simulate --timeout-ms --trace --utc --stamp --raw --output; do
  grep -q -- "$option" <<<"$page" || fail "manual page does not mention $option"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed files checked in $prefix"
