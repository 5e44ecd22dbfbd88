#!/usr/bin/env bash
# merge-under-valgrind.sh VALGRIND PLEXORA_MERGE PLEXORA_MAKE_STEMS
# One whole merge of six stems with plexora-merge under valgrind, and one
# that fails on its second input: no leak and no memory error in either.
set -euo pipefail
valgrind=$1 merge=$2 make_stems=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

stems=()
for s in FL FR FC LF BL BR; do stems+=("$dir/drums$s.wav"); done
"$make_stems" -s 1 "${stems[@]}"
"$make_stems" -s 1 -r 44100 "$dir/other-rate.wav"

check() {
  "$valgrind" --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect,possible \
    --error-exitcode=99 "$merge" "$@"
}

check -q -o "$dir/out.wav" "${stems[@]}"
[[ -s $dir/out.wav ]] || { echo "no output written" >&2; exit 1; }

status=0
check -q -o "$dir/failed.wav" "${stems[0]}" "$dir/other-rate.wav" 2>/dev/null || status=$?
if [[ $status -ne 1 ]]; then
  echo "the failing merge ended with status $status, not 1" >&2
  exit 1
fi
[[ ! -e $dir/failed.wav ]] || { echo "the failing merge left an output" >&2; exit 1; }
