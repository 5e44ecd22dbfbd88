#!/usr/bin/env bash
# Times plexora-merge against sox -M, ffmpeg's join filter and two floors:
# cat of the inputs (pure I/O) and a plain C interleaver. The first 2, 6 and
# 8 of eight mono 16-bit 48 kHz stems of 10 minutes are merged; then six
# 24-bit and six 32-bit float stems into 5.1 with plexora-merge, sox -M and
# cat (ffmpeg's join would make them 16-bit, and the C floor is 16-bit only).
# Then plexora-split takes the 16-bit 5.1 merge apart again, against six
# sox remix runs, ffmpeg's channelsplit filter, cat of the file and a plain C
# deinterleaver. Every tool runs RUNS times per case, round-robin (each round
# starting one tool later), with a warm page cache.
#
#   bench/merge-bench.sh [BUILD_DIR]      (RUNS=5 MINUTES=10 by default)
set -euo pipefail

build=${1:-build}
runs=${RUNS:-5}
minutes=${MINUTES:-10}
rate=48000
merge=$build/bin/plexora-merge
split=$build/bin/plexora-split
make_stems=$build/tools/plexora-make-stems
work=$build/bench-data
source "$(dirname "$0")/require.sh"
require_built merge-bench "$merge" "$split" "$make_stems"
require_commands merge-bench sox ffmpeg cc /usr/bin/time
mkdir -p "$work"

# The stems: one tone per speaker, kept between runs of the script.
speakers=(FL FR FC LF BL BR FLC FRC)
stems=() stems24=() stemsf32=()
for s in "${speakers[@]}"; do stems+=("$work/stem$s.wav"); done
for s in "${speakers[@]:0:6}"; do stems24+=("$work/stem24-$s.wav") stemsf32+=("$work/stemf32-$s.wav"); done
stamp="$work/stems-${minutes}min-${rate}Hz"
if [[ ! -e $stamp ]]; then
  echo "Generating 8 16-bit, 6 24-bit and 6 32-bit float mono stems of $minutes minutes at $rate Hz..."
  "$make_stems" -r "$rate" -s $((minutes * 60)) "${stems[@]}"
  "$make_stems" -r "$rate" -s $((minutes * 60)) -b 24 "${stems24[@]}"
  "$make_stems" -r "$rate" -s $((minutes * 60)) -b 32 --float "${stemsf32[@]}"
  rm -f "$work"/stems-*min-*Hz
  touch "$stamp"
fi

# The C floor: each input read in 102400-byte blocks past its 44-byte
# header, interleaved with the simplest loop, written.
cat >"$work/floor.c" <<'C'
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#define BLOCK 102400
int main(int argc, char **argv)
{
    int n = argc - 2, i, k;
    FILE *out = fopen(argv[1], "wb"), *in[64];
    short *block[64], *inter = malloc((size_t)n * BLOCK);
    static const char header[44];
    if (!out || n < 1 || n > 64 || !inter) return 1;
    for (i = 0; i < n; i++) {
        in[i] = fopen(argv[i + 2], "rb");
        block[i] = malloc(BLOCK);
        if (!in[i] || !block[i] || fseek(in[i], 44, SEEK_SET)) return 1;
    }
    fwrite(header, 1, sizeof header, out);
    for (;;) {
        size_t most = 0, s, samples;
        for (i = 0; i < n; i++) {
            size_t got = fread(block[i], 1, BLOCK, in[i]);
            memset((char *)block[i] + got, 0, BLOCK - got);
            if (got > most) most = got;
        }
        if (most == 0) break;
        samples = most / 2;
        for (s = 0; s < samples; s++)
            for (k = 0; k < n; k++)
                inter[s * n + k] = block[k][s];
        if (fwrite(inter, 2 * (size_t)n, samples, out) != samples) return 1;
    }
    return fclose(out) != 0;
}
C
cc -O2 -o "$work/floor" "$work/floor.c"

# The C floor of a split: the file read in blocks of 102400 bytes a channel
# past its header, each channel gathered with the simplest loop and written.
cat >"$work/splitfloor.c" <<'C'
#include <stdio.h>
#include <stdlib.h>
#define BLOCK 102400
int main(int argc, char **argv)  /* IN HEADER_BYTES OUT... */
{
    int n = argc - 3, k;
    FILE *in = fopen(argv[1], "rb"), *out[64];
    short *frames = malloc((size_t)n * BLOCK), *block[64];
    static const char header[44];
    if (!in || n < 1 || n > 64 || !frames || fseek(in, atol(argv[2]), SEEK_SET)) return 1;
    for (k = 0; k < n; k++) {
        out[k] = fopen(argv[k + 3], "wb");
        block[k] = malloc(BLOCK);
        if (!out[k] || !block[k]) return 1;
        fwrite(header, 1, sizeof header, out[k]);
    }
    for (;;) {
        size_t got = fread(frames, 2 * (size_t)n, BLOCK / 2, in), s;
        if (got == 0) break;
        for (s = 0; s < got; s++)
            for (k = 0; k < n; k++)
                block[k][s] = frames[s * n + k];
        for (k = 0; k < n; k++)
            if (fwrite(block[k], 2, got, out[k]) != got) return 1;
    }
    for (k = 0; k < n; k++)
        if (fclose(out[k])) return 1;
    return 0;
}
C
cc -O2 -o "$work/splitfloor" "$work/splitfloor.c"

layout_of() { case $1 in 2) echo stereo ;; 6) echo 5.1 ;; 8) echo 7.1 ;; esac; }

# merge_command TOOL OUT INPUT...: sets cmd to the tool's merge of the inputs into OUT.
merge_command() {
  local tool=$1 out=$2
  shift 2
  local inputs=("$@") n=$#
  case $tool in
    plexora) cmd=("$merge" -q -o "$out" "${inputs[@]}") ;;
    floor) cmd=("$work/floor" "$out" "${inputs[@]}") ;;
    cat) cmd=(sh -c 'out=$1; shift; exec cat "$@" >"$out"' cat "$out" "${inputs[@]}") ;;
    sox) cmd=(sox -M "${inputs[@]}" "$out") ;;
    ffmpeg)
      local args=()
      for f in "${inputs[@]}"; do args+=(-i "$f"); done
      cmd=(ffmpeg -nostdin -v error -y "${args[@]}"
           -filter_complex "join=inputs=$n:channel_layout=$(layout_of "$n")" -c:a pcm_s16le "$out") ;;
  esac
}

# split_command TOOL DIR INPUT: sets cmd to the tool's split of the 16-bit
# 5.1 INPUT into six mono files in DIR (cat: one copy of it).
split_command() {
  local tool=$1 dir=$2 input=$3
  local speakers=(FL FR FC LFE BL BR) outs=() maps=() k
  for k in "${speakers[@]}"; do outs+=("$dir/$k.wav") maps+=(-map "[$k]" -c:a pcm_s16le "$dir/$k.wav"); done
  case $tool in
    plexora) cmd=("$split" -q -o "$dir" "$input") ;;
    floor) cmd=("$work/splitfloor" "$input" 68 "${outs[@]}") ;;  # past plexora-merge's 68-byte header
    cat) cmd=(sh -c 'exec cat "$1" >"$2"' cat "$input" "$dir/copy.wav") ;;
    sox) cmd=(sh -c 'in=$1 dir=$2; for k in 1 2 3 4 5 6; do sox "$in" "$dir/$k.wav" remix $k || exit; done' \
                sox "$input" "$dir") ;;
    ffmpeg)
      cmd=(ffmpeg -nostdin -v error -y -i "$input"
           -filter_complex "channelsplit=channel_layout=5.1[FL][FR][FC][LFE][BL][BR]" "${maps[@]}") ;;
  esac
}

# run TOOL CASE INPUT...: one timed run; appends "seconds peak_kb" to the
# record of the tool in that case. A split writes into a folder of its own.
run() {
  local tool=$1 case=$2 out
  shift 2
  local cmd=()
  if [[ $case == split* ]]; then
    out="$work/out-$tool"
    rm -rf "$out"
    mkdir "$out"
    split_command "$tool" "$out" "$1"
  else
    out="$work/out-$tool.wav"
    rm -f "$out"
    merge_command "$tool" "$out" "$@"
  fi
  sync
  local start=$EPOCHREALTIME
  /usr/bin/time -f %M -o "$work/rss" "${cmd[@]}"
  local end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(cat "$work/rss")" \
    >>"$work/times-$tool-$case"
  rm -rf "$out"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# bench CASE BYTES_PER_SAMPLE "TOOL..." INPUT...: a warm-up round, RUNS
# rounds, one table row per tool; sets med[] and rss[] for the ratios.
# BYTES_PER_SAMPLE is of one input: a frame's bytes for a split.
declare -A med=() rss=()
bench() {
  local case=$1 bytes=$2 tools=($3)
  shift 3
  rm -f "$work"/times-*-"$case"
  for tool in "${tools[@]}"; do run "$tool" "$case" "$@"; done  # a warm-up round, not counted
  rm -f "$work"/times-*-"$case"
  # Each round starts one tool later, so that each follows every other in
  # turn: a tool that writes much slows the write that comes next.
  local n=${#tools[@]} i
  for ((r = 0; r < runs; r++)); do
    for ((i = 0; i < n; i++)); do run "${tools[(r + i) % n]}" "$case" "$@"; done
  done
  local mb
  mb=$(awk -v n="$#" -v m="$minutes" -v r="$rate" -v b="$bytes" 'BEGIN { print n * m * 60 * r * b / 1e6 }')
  med=() rss=()
  for tool in "${tools[@]}"; do
    med[$tool]=$(cut -d' ' -f1 "$work/times-$tool-$case" | median)
    rss[$tool]=$(cut -d' ' -f2 "$work/times-$tool-$case" | sort -n | tail -1)
    printf '%-8s  %-8s  %9.3f  %8.0f  %12.1f\n' "$case" "$tool" "${med[$tool]}" \
      "$(awk -v a="$mb" -v t="${med[$tool]}" 'BEGIN { print a / t }')" \
      "$(awk -v k="${rss[$tool]}" 'BEGIN { print k / 1024 }')"
  done
}
ratio() { awk -v a="${med[$1]}" -v b="${med[$2]}" 'BEGIN { printf "%.2f", a / b }'; }
under10mb() { awk -v k="${rss[plexora]}" 'BEGIN { print (k < 10240 ? "under 10 MB resident" : "OVER 10 MB resident") }'; }

cat "${stems[@]}" "${stems24[@]}" "${stemsf32[@]}" >/dev/null  # warm the page cache
printf '%s\n' "Merging ${minutes}-minute 48 kHz stems and splitting one merge, median of $runs runs per tool (warm page cache)."
echo
printf '%-8s  %-8s  %9s  %8s  %12s\n' case tool "median s" "MB/s" "peak RSS MB"
summary=()
for n in 2 6 8; do
  bench "$n" 2 "plexora floor cat sox ffmpeg" "${stems[@]:0:n}"
  verdict="$(awk -v r="$(ratio plexora floor)" 'BEGIN {
    print (r <= 1.15 ? "within 1.15x of the floor" : "SLOWER than 1.15x the floor") }'), $(under10mb)"
  summary+=("$(printf '%-8s  plexora/floor %s  plexora/cat %s  sox/plexora %s  ffmpeg/plexora %s  (%s)' \
    "$n" "$(ratio plexora floor)" "$(ratio plexora cat)" "$(ratio sox plexora)" "$(ratio ffmpeg plexora)" "$verdict")")
done
for case in 6x24bit 6xf32; do
  if [[ $case == 6x24bit ]]; then
    bench "$case" 3 "plexora cat sox" "${stems24[@]}"
  else
    bench "$case" 4 "plexora cat sox" "${stemsf32[@]}"
  fi
  verdict="$(awk -v c="$(ratio plexora cat)" -v s="$(ratio sox plexora)" 'BEGIN {
    printf "%s, %s", (c <= 1.25 ? "within 1.25x of cat" : "SLOWER than 1.25x cat"),
                     (s > 1 ? "faster than sox" : "NOT faster than sox") }'), $(under10mb)"
  summary+=("$(printf '%-8s  plexora/cat %s  sox/plexora %s  (%s)' \
    "$case" "$(ratio plexora cat)" "$(ratio sox plexora)" "$verdict")")
done

# The 16-bit 5.1 merge, taken apart again.
split_input="$work/split-5.1.wav"
"$merge" -q -o "$split_input" "${stems[@]:0:6}"
cat "$split_input" >/dev/null
bench split6 12 "plexora floor cat sox ffmpeg" "$split_input"
verdict="$(awk -v c="$(ratio plexora cat)" -v s="$(ratio sox plexora)" -v f="$(ratio ffmpeg plexora)" 'BEGIN {
  printf "%s, %s, %s", (c <= 1.25 ? "within 1.25x of cat" : "SLOWER than 1.25x cat"),
                       (s > 1 ? "faster than six sox remix runs" : "NOT faster than six sox remix runs"),
                       (f > 1 ? "faster than ffmpeg" : "NOT faster than ffmpeg") }'), $(under10mb)"
summary+=("$(printf '%-8s  plexora/floor %s  plexora/cat %s  sox/plexora %s  ffmpeg/plexora %s  (%s)' \
  split6 "$(ratio plexora floor)" "$(ratio plexora cat)" "$(ratio sox plexora)" "$(ratio ffmpeg plexora)" "$verdict")")
rm -f "$split_input"

echo
echo "Ratios of the medians:"
printf '%s\n' "${summary[@]}"
