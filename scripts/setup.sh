#!/usr/bin/env bash
# Installs the Debian packages that a make target needs, and only those that
# are missing. Quiet when everything is there.
#
#   scripts/setup.sh run     the build and the programs (make run, demo, install)
#   scripts/setup.sh test    and the tests' tools (make build, test, soak, screenshots, mutants)
#   scripts/setup.sh fuzz    and clang's libFuzzer and sanitizers (make fuzz)
#   scripts/setup.sh bench   and the benchmark's peers (make bench)
#   scripts/setup.sh deb     and Debian's package tools (make deb)
set -euo pipefail

run=(
  build-essential cmake pkg-config               # the build
  qt6-base-dev qt6-svg-dev fonts-liberation      # the desktop program; its icon is drawn from SVG
  libcli11-dev                                   # the command lines
  libebur128-dev                                 # plexora-info --levels: loudness (BS.1770, R 128)
)
case ${1-} in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}"
    libgtest-dev libsndfile1-dev ffmpeg sox      # GoogleTest, independent readers and writers
    xvfb xdotool                                 # a real window on a virtual screen
    valgrind                                     # leak check of a whole merge
    desktop-file-utils appstream groff-base      # the installed desktop entry, metainfo and man pages
    python3                                      # make mutants: the fault sample
    dpkg-dev file lintian                        # the package: make deb's tools, and its check
  ) ;;
  fuzz) packages=("${run[@]}" clang libclang-rt-14-dev) ;;
  deb) packages=("${run[@]}" dpkg-dev file lintian) ;;  # dpkg-shlibdeps, and CPack's look at the programs
  bench) packages=("${run[@]}" sox ffmpeg time   # its peers; peak memory via /usr/bin/time
    python3                                      # the levels' figures side by side
  ) ;;
  *)
    echo "usage: scripts/setup.sh run|test|fuzz|bench|deb" >&2
    exit 2
    ;;
esac

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
