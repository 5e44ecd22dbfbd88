#!/usr/bin/env bash
# fuzz/run-fuzzers.sh BUILD SECONDS
# Runs every fuzzer for SECONDS from fresh seeds and the corpus it has grown
# in earlier runs, with a 1-second limit per input and leak detection on.
# Stops at the first crash, hang, leak or broken property; the input that
# did it is left in BUILD/fuzz-artifacts/.
set -euo pipefail
build=${1:?usage: run-fuzzers.sh BUILD SECONDS}
seconds=${2:?usage: run-fuzzers.sh BUILD SECONDS}
seeds=$build/fuzz-seeds
corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts

# Every input goes through a file; files in memory keep thousands of runs a
# second where a disk manages hundreds.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi

rm -rf "$seeds"
"$build/fuzz/plexora-fuzz-seeds" "$seeds"
mkdir -p "$artifacts"
for target in inputwave settings merge; do
  mkdir -p "$corpus/$target"
  log=$build/fuzz-$target.log
  if ! "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=1 -detect_leaks=1 \
      -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
      "$corpus/$target" "$seeds/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target found a fault; its input is in $artifacts/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
  files=$(find "$corpus/$target" "$seeds/$target" -type f | wc -l)
  printf 'fuzz: %-9s %10s runs in %s s (%s/s), %s, corpus %s files, no findings\n' \
    "$target" "$runs" "$seconds" "$rate" "$coverage" "$files"
done
