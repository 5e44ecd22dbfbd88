#!/usr/bin/env bash
# plexora-info --levels side by side with ffmpeg's ebur128 filter (true peak
# on) and sox's stats, on the 5.1 merge of six 24-bit 48 kHz stems that sox
# makes of noise, a sweep and a square wave (levels that move, peaks between
# the samples); then plexora-merge --check of that merge against cat of the
# stems and the merge (reading them once). Prints the median wall time of
# each tool, the figures of each tool per channel and the verdicts.
#
#   bench/levels-bench.sh [BUILD_DIR]      (RUNS=5 MINUTES=10 by default)
set -euo pipefail

build=${1:-build}
runs=${RUNS:-5}
minutes=${MINUTES:-10}
info=$build/bin/plexora-info
merge=$build/bin/plexora-merge
work=$build/bench-data
source "$(dirname "$0")/require.sh"
require_built levels-bench "$info" "$merge"
require_commands levels-bench sox ffmpeg python3 /usr/bin/time
mkdir -p "$work"

# The stems, kept between runs of the script: pink noise with a slow
# tremolo, pink noise, a sweep, low brown noise for Low Frequency, quiet
# white noise and a square wave.
seconds=$((minutes * 60))
speakers=(FL FR FC LF BL BR)
synth=("pinknoise tremolo 0.05 80 gain -n -3" "pinknoise gain -n -6" "sine 50-12000 gain -n -1"
       "brownnoise lowpass 100 lowpass 100 gain -n -10" "whitenoise gain -n -24" "square 997 gain -n -6")
stems=()
for s in "${speakers[@]}"; do stems+=("$work/level$s.wav"); done
mix=$work/levels-5.1.wav
stamp=$work/levels-${minutes}min
if [[ ! -e $stamp ]]; then
  echo "Generating six 24-bit 48 kHz stems of $minutes minutes with sox..."
  for k in "${!speakers[@]}"; do
    # shellcheck disable=SC2086  # the effects are words
    sox -R -n -r 48000 -b 24 -c 1 "${stems[k]}" synth "$seconds" ${synth[k]}
  done
  "$merge" -q -o "$mix" "${stems[@]}"
  rm -f "$work"/levels-*min
  touch "$stamp"
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# time_runs NAME COMMAND...: RUNS timed runs after a warm-up; sets med[NAME]
# to the median wall time and prints it with the median CPU time (user and
# system), which tells more on a machine that other work keeps busy.
declare -A med=()
time_runs() {
  local name=$1 r
  shift
  "$@" >/dev/null 2>&1
  : >"$work/times-$name"
  for ((r = 0; r < runs; r++)); do
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null 2>&1
    cat "$work/time" >>"$work/times-$name"
  done
  med[$name]=$(cut -d' ' -f1 "$work/times-$name" | median)
  printf '%-34s %9.3f %9.3f\n' "$name" "${med[$name]}" \
    "$(awk '{ print $2 + $3 }' "$work/times-$name" | median)"
}

cat "${stems[@]}" "$mix" >/dev/null  # warm the page cache
echo "Levels of a 5.1 merge of six 24-bit ${minutes}-minute stems, and --check of it; median of $runs runs (warm page cache)."
echo
printf '%-34s %9s %9s\n' tool "median s" "CPU s"
time_runs "plexora-info --levels" "$info" --levels "$mix"
time_runs "ffmpeg ebur128=peak=true" ffmpeg -nostdin -v error -i "$mix" -af ebur128=peak=true -f null -
time_runs "sox stats" sox "$mix" -n stats
time_runs "plexora-merge --check" "$merge" --check -q -o "$mix" "${stems[@]}"
time_runs "cat of the stems and the merge" sh -c 'cat "$@" >/dev/null' cat "${stems[@]}" "$mix"

# The figures of each tool, once more, for the comparison.
"$info" --levels --json "$mix" >"$work/levels.json"
ffmpeg -nostdin -v error -i "$mix" -af "ebur128=peak=true:metadata=1,ametadata=mode=print:file=$work/ebur128.txt" \
  -f null -
sox "$mix" -n stats 2>"$work/stats.txt"

echo
python3 - "$work/levels.json" "$work/ebur128.txt" "$work/stats.txt" \
  "${med[plexora-info --levels]}" "${med[ffmpeg ebur128=peak=true]}" \
  "${med[plexora-merge --check]}" "${med[cat of the stems and the merge]}" <<'PY'
import json, math, sys

levels = json.load(open(sys.argv[1]))["levels"]
ffmpeg = {}
for line in open(sys.argv[2]):  # the last frame's values win
    if line.startswith("lavfi.r128."):
        key, value = line[len("lavfi.r128."):].strip().split("=")
        ffmpeg[key] = float(value)
stats = {}
for line in open(sys.argv[3]):
    words = line.split()
    for name in ("Pk lev dB", "RMS lev dB"):
        if line.startswith(name):
            stats[name] = [float(w) for w in words[len(name.split()) + 1:]]  # past the Overall column
t_plexora, t_ffmpeg, t_check, t_cat = map(float, sys.argv[4:8])

def db(linear):
    return 20 * math.log10(linear) if linear > 0 else -math.inf

worst_peak = worst_rms = worst_tp = 0.0
print("%-14s %9s %9s   %9s %9s   %9s %9s" % ("speaker", "peak", "sox", "RMS", "sox", "true pk", "ffmpeg"))
for k, ch in enumerate(levels["channels"]):
    peak, rms, tp = ch["peak_dbfs"], ch["rms_dbfs"], ch["true_peak_dbtp"]
    sox_peak, sox_rms = stats["Pk lev dB"][k], stats["RMS lev dB"][k]
    ff_tp = db(ffmpeg["true_peaks_ch%d" % k])
    worst_peak = max(worst_peak, abs(peak - sox_peak))
    worst_rms = max(worst_rms, abs(rms - sox_rms))
    worst_tp = max(worst_tp, abs(tp - ff_tp))
    print("%-14s %9.2f %9.2f   %9.2f %9.2f   %9.2f %9.2f" % (ch["speaker"], peak, sox_peak, rms, sox_rms, tp, ff_tp))
d_i = abs(levels["integrated_lufs"] - ffmpeg["I"])
print()
print("integrated     %9.1f LUFS, ffmpeg %.2f LUFS" % (levels["integrated_lufs"], ffmpeg["I"]))
print("loudness range %9.1f LU,   ffmpeg %.2f LU" % (levels["loudness_range_lu"], ffmpeg["LRA"]))
print("warnings:      %s" % "; ".join(levels["warnings"]) if levels["warnings"] else "warnings:      none")
print()
def verdict(ok, good, bad):
    return good if ok else bad
print("Agreement: sample peak within %.3f dB of sox (%s), RMS within %.3f dB of sox (%s),"
      % (worst_peak, verdict(worst_peak <= 0.01, "within 0.01", "NOT within 0.01"),
         worst_rms, verdict(worst_rms <= 0.05, "within 0.05", "NOT within 0.05")))
print("           true peak within %.2f dB of ffmpeg (%s), integrated within %.2f LU of ffmpeg (%s)."
      % (worst_tp, verdict(worst_tp <= 0.3, "within 0.3", "NOT within 0.3"),
         d_i, verdict(d_i <= 0.1, "within 0.1", "NOT within 0.1")))
print("Speed: ffmpeg/plexora-info %.2f (%s), plexora-merge --check/cat %.2f (%s)."
      % (t_ffmpeg / t_plexora, verdict(t_ffmpeg > t_plexora, "faster than ffmpeg", "NOT faster than ffmpeg"),
         t_check / t_cat, verdict(t_check <= 1.25 * t_cat, "within 1.25x of cat", "SLOWER than 1.25x cat")))
PY
