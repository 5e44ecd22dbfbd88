#!/usr/bin/env bash
# merge-under-valgrind.sh VALGRIND PLEXORA_MERGE PLEXORA_SPLIT PLEXORA_MAKE_STEMS PLEXORA_SCENARIO ROAD_SCRIPT
# No leak and no memory error under valgrind in a merge, a split, a failed
# one of each, and the desktop program's road of one merge as a scenario.
set -euo pipefail
valgrind=$1 merge=$2 split=$3 make_stems=$4 scenario=$5 road=$6
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

stems=()
for s in FL FR FC LF BL BR; do stems+=("$dir/drums$s.wav"); done
"$make_stems" -s 1 "${stems[@]}"
"$make_stems" -s 1 -r 44100 "$dir/other-rate.wav"

check() {
  "$valgrind" --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect,possible \
    --error-exitcode=99 "$@"
}
# check_fails WHAT COMMAND...: the command, under valgrind, must fail with status 1.
check_fails() {
  local what=$1 status=0
  shift
  check "$@" 2>/dev/null || status=$?
  [[ $status -eq 1 ]] || { echo "the failing $what ended with status $status, not 1" >&2; exit 1; }
}

check "$merge" -q -o "$dir/out.wav" "${stems[@]}"
[[ -s $dir/out.wav ]] || { echo "no output written" >&2; exit 1; }

check_fails merge "$merge" -q -o "$dir/failed.wav" "${stems[0]}" "$dir/other-rate.wav"
[[ ! -e $dir/failed.wav ]] || { echo "the failing merge left an output" >&2; exit 1; }

mkdir "$dir/split" "$dir/failed"
check "$split" -q -o "$dir/split" "$dir/out.wav"
[[ $(ls "$dir/split" | wc -l) -eq 6 && -s $dir/split/outBR.wav ]] || { echo "the split wrote no stems" >&2; exit 1; }
mkdir "$dir/failed/outLF.wav"
check_fails split "$split" -q -f -o "$dir/failed" "$dir/out.wav"
[[ $(ls -A "$dir/failed") == outLF.wav ]] || { echo "the failing split left files" >&2; exit 1; }

# The scenario works in a folder holding demo/ with the stems and app/ for
# the program's settings file.
mkdir -p "$dir/road/app" "$dir/road/demo"
(cd "$dir/road/demo" && "$make_stems" -r 44100 -s 1.5 drums{FL,FR,FC,LF,BL,BR}.wav)
(cd "$dir/road" && check "$scenario" "$road")
[[ -s "$dir/road/demo/drumssurround 5.1.wav" ]] || { echo "the scenario wrote no output" >&2; exit 1; }
