#!/usr/bin/env bash
# Builds the libFuzzer targets (clang 14 with AddressSanitizer and
# UndefinedBehaviorSanitizer, folder build-fuzz) and runs each in turn for its
# share of SECONDS (default 300), starting from its checked-in corpus: all
# seven, or only the TARGETs named.
#
# Everything a run finds goes to a scratch folder,
# build-fuzz/finds/<date-time>/, never into the repository: per target the
# new inputs (<target>/), a merge of them with the checked-in corpus that
# keeps only what adds coverage (<target>-merged/, the new files listed at the
# end), the log (<target>.log) and any input that broke a property or
# crashed (<target>/crash-*). Copy the inputs worth keeping into
# fuzz/corpus/<target>/ by hand, under names that say what they show.
#
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (image cfgfile cfgfile_save ini ini_lines device cli)
# Exit status: 0 when no target found anything, 1 otherwise.
set -euo pipefail
TARNVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$TARNVIK_ROOT/scripts/common.sh"

usage() {
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (total time, at least 3 s a target; targets: ${all_targets[*]})" >&2
  exit 2
}
all_targets=(image cfgfile cfgfile_save ini ini_lines device cli)
seconds=${1:-300}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for target in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $target "* ]] || usage
done
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt $((3 * ${#targets[@]})) ]; then
  usage
fi

tarnvik_ensure_packages "${TARNVIK_FUZZ_PACKAGES[@]}"
build=$TARNVIK_ROOT/build-fuzz
cmake -S "$TARNVIK_ROOT" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARNVIK_FUZZ=ON -DTARNVIK_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

declare -A max_len=([image]=2100 [cfgfile]=8192 [cfgfile_save]=8192 [ini]=4096 [ini_lines]=4096 [device]=4096 [cli]=8192)
# Targets that take the words of another's dictionary.
declare -A dict=([cfgfile_save]=cfgfile [ini_lines]=ini)
share=$((seconds / ${#targets[@]}))
finds=$build/finds/$(date +%Y%m%d-%H%M%S)
mkdir -p "$finds"
# The files the targets read and write at every run, in memory when possible.
scratch=$(mktemp -d "$([ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/tarnvik-fuzz-run-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TARNVIK_FUZZ_SCRATCH=$scratch

found=0
for target in "${targets[@]}"; do
  echo "== $target: ${share}s"
  mkdir -p "$finds/$target"
  status=0
  "$build/bin/${target}_fuzzer" "$finds/$target" "$TARNVIK_ROOT/fuzz/corpus/$target" \
    $([ -f "$TARNVIK_ROOT/fuzz/${dict[$target]:-$target}.dict" ] && echo "-dict=$TARNVIK_ROOT/fuzz/${dict[$target]:-$target}.dict") -max_total_time="$share" -max_len="${max_len[$target]}" -timeout=20 \
    -artifact_prefix="$finds/$target/" -print_final_stats=1 >"$finds/$target.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    found=1
    echo "   FOUND SOMETHING (exit status $status): see $finds/$target.log and $finds/$target/crash-*"
  fi
  grep -E "^#[0-9]+[[:space:]]+(INITED|DONE)" "$finds/$target.log" | sed 's/^/   /' || true
  grep -E "stat::(number_of_executed_units|average_exec_per_sec)" "$finds/$target.log" | sed 's/^/   /' || true

  # What the run adds to the checked-in corpus, minimised.
  mkdir -p "$finds/$target-merged"
  cp "$TARNVIK_ROOT/fuzz/corpus/$target"/* "$finds/$target-merged/"
  "$build/bin/${target}_fuzzer" -merge=1 -max_len="${max_len[$target]}" -timeout=20 \
    -artifact_prefix="$finds/$target/" "$finds/$target-merged" "$finds/$target" >"$finds/$target-merge.log" 2>&1 || true
  added=$(comm -13 <(ls "$TARNVIK_ROOT/fuzz/corpus/$target") <(ls "$finds/$target-merged") | wc -l)
  echo "   $added new inputs add coverage: $finds/$target-merged/"
done
exit "$found"
