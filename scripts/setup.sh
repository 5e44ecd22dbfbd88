#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the benchmark
# need, and only those that are missing. Quiet when everything is there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config     # the build
  qt6-base-dev fonts-liberation        # the desktop program
  libcli11-dev                         # plexora-merge's command line
  libgtest-dev libsndfile1-dev ffmpeg  # tests: GoogleTest, independent readers
  xvfb xdotool                         # tests: a real window on a virtual screen
  clang libclang-rt-14-dev              # fuzzing: libFuzzer and the sanitizers
  valgrind                             # tests: leak check of a whole merge
  sox time                             # the benchmark: its peer, peak memory via /usr/bin/time
  python3                              # make mutants: the fault sample
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
