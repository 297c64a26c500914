#!/usr/bin/env bash
# Runs the same tarnvik-cli commands with the Linux build and with the
# Windows build under Wine, each in a folder of its own holding the same
# inputs, and compares what they gave byte for byte: standard output,
# standard error, exit status, and every file they wrote (the simulated
# unit's files too). Paths are relative, so no message names a folder that
# differs between the two. The names include some outside ASCII, and the
# inputs are CR LF files, an LF-only file and images holding bytes 0x0A,
# 0x0D and 0x1A.
#
# Usage: scripts/windows-compare.sh LINUX_TOOL WINDOWS_EXE WORK_FOLDER
# (Wine as scripts/windows.sh sets it up: WINEPREFIX and a running server.)
set -euo pipefail
linux_tool=$1
windows_exe=$2
work=$3
wine=${TARNVIK_WINE:-/usr/lib/wine/wine64}
# Wine turns the command line and file names from the locale's bytes.
export LC_ALL=C.UTF-8

utc="--utc 2026-07-03T09:05"
# One command a line, its words as bash splits them; "<FILE" at the end
# feeds FILE on standard input.
commands=$(cat <<'LIST'
defaults $utc -o 'unit ä.cfg'
defaults $utc -o -
encode 'unit ä.cfg' $utc --stamp 7 -o 配置.bin
decode 配置.bin -o Käyttäjä/unit.cfg
decode 配置.bin -o -
decode - -o - <配置.bin
encode - $utc --stamp 7 -o - <'unit ä.cfg'
check Käyttäjä/unit.cfg $utc
check crlf.cfg $utc
check lf.cfg $utc
check - $utc <lf.cfg
set 'unit ä.cfg' Txdelay=282 Quiettime=269 Floodtimeout=26 Callsign=OH2XYZ 'Beacon1_msg=Unit 7' -o set.cfg
set crlf.cfg Ssid=7 -o crlf.cfg
encode set.cfg $utc --stamp 10 -o set.bin
get set.cfg Callsign Ptt Txdelay Beacon1_msg
get set.bin Callsign Ptt --entries
diff 'unit ä.cfg' set.cfg
diff set.bin lf.cfg
check missing.cfg
decode junk.bin -o junk.cfg
set 'unit ä.cfg' Txdelay=100 -o refused.cfg
set 'unit ä.cfg' Calsign=X -o refused.cfg
write set.cfg $utc --stamp 9 --simulate unit
read -o back.cfg --raw back.bin --simulate unit
write lf.cfg $utc --stamp 11 --backup 'backup ä.cfg' --verify --simulate unit
firmware fw.bin --simulate unit
version --simulate unit
list --simulate unit
LIST
)

prepare() {
  local folder=$1
  mkdir -p "$folder/Käyttäjä" "$folder/unit"
  printf 'not a configuration image\n' >"$folder/junk.bin"
  head -c 100 /dev/zero | tr '\0' '\032' >"$folder/fw.bin"
  printf 'firmware\r\n\032 end' >>"$folder/fw.bin"
  "$linux_tool" defaults $utc -o "$folder/crlf.cfg" >/dev/null
  sed 's/\r$//; s/^SSID=0$/SSID=3/' "$folder/crlf.cfg" >"$folder/lf.cfg"
}

# run SIDE FOLDER: every command, its outputs kept as NN.out, NN.err, NN.status
run_side() {
  local side=$1 folder=$2 n=0 line input words
  while IFS= read -r line; do
    n=$((n + 1))
    input=/dev/null
    if [[ $line =~ ^(.*)\ \<(.*)$ ]]; then
      line=${BASH_REMATCH[1]}
      input=${BASH_REMATCH[2]}
    fi
    eval "words=($line)"
    input=$(eval "echo $input")
    local tag
    tag=$(printf '%02d' "$n")
    (
      cd "$folder"
      if [ "$side" = linux ]; then
        "$linux_tool" "${words[@]}" <"$input" >"../$side-$tag.out" 2>"../$side-$tag.err" || echo $? >"../$side-$tag.status"
      else
        "$wine" "$windows_exe" "${words[@]}" <"$input" >"../$side-$tag.out" 2>"../$side-$tag.err" || echo $? >"../$side-$tag.status"
      fi
      [ -f "../$side-$tag.status" ] || echo 0 >"../$side-$tag.status"
    )
  done <<<"$commands"
}

rm -rf "$work"
mkdir -p "$work/linux"
prepare "$work/linux"
cp -a "$work/linux" "$work/windows"
run_side linux "$work/linux"
run_side windows "$work/windows"

failed=0
n=0
while IFS= read -r line; do
  n=$((n + 1))
  tag=$(printf '%02d' "$n")
  for part in out err status; do
    if ! cmp -s "$work/linux-$tag.$part" "$work/windows-$tag.$part"; then
      echo "DIFFERENT ($part): $line" >&2
      diff <(od -c "$work/linux-$tag.$part") <(od -c "$work/windows-$tag.$part") | head -20 >&2 || true
      failed=1
    fi
  done
done <<<"$commands"
# Every file both wrote, and the simulated unit's (its lock file is empty).
if ! diff -r "$work/linux" "$work/windows" >&2; then
  echo "DIFFERENT: the files written" >&2
  failed=1
fi
# A unit that cannot be opened: the one line that differs by design names
# the README section for the system ("USB access on Linux", "... on Windows")
# and the README the operator has (README.md; README.txt beside the Windows
# programs).
mkdir -p "$work/linux/locked" "$work/windows/locked"
echo "Permission denied" >"$work/linux/locked/open-error"
echo "Permission denied" >"$work/windows/locked/open-error"
(cd "$work/linux" && "$linux_tool" version --simulate locked >../linux-locked.out 2>&1 || true)
(cd "$work/windows" && "$wine" "$windows_exe" version --simulate locked >../windows-locked.out 2>&1 || true)
if ! grep -q 'See "USB access on Windows" in README.txt.' "$work/windows-locked.out" ||
  ! cmp -s "$work/linux-locked.out" <(sed 's/USB access on Windows" in README.txt/USB access on Linux" in README.md/' "$work/windows-locked.out"); then
  echo "DIFFERENT: the line of a unit that cannot be opened" >&2
  diff "$work/linux-locked.out" "$work/windows-locked.out" >&2 || true
  failed=1
fi
[ "$failed" -eq 0 ] || exit 1
files=$(cd "$work/linux" && find . -type f | wc -l)
echo "Same bytes, statuses and files on Linux and under Wine: $n commands, $files files compared."
