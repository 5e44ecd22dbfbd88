#!/usr/bin/env bash
# What make install writes, installed into a fresh prefix and checked with
# the desktop's own tools.
#
#   install_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

share=$prefix/share

# Without a display: --version and --help answer, anything else is refused
# in one line.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for program in plexora plexora-merge plexora-info plexora-split; do
  out=$("${nodisplay[@]}" "$prefix/bin/$program" --version) || fail "$program --version exited with $?"
  [[ $out == "$program $version" ]] || fail "$program --version printed '$out'"
  out=$("${nodisplay[@]}" "$prefix/bin/$program" --help) || fail "$program --help exited with $?"
  [[ $out == *"Usage:"* ]] || fail "$program --help printed no usage"
done
status=0
err=$("${nodisplay[@]}" "$prefix/bin/plexora" 2>&1 >/dev/null) || status=$?
[[ $status -eq 1 && $err == "plexora: the desktop program needs a desktop session "*"plexora-merge"* &&
   $(wc -l <<<"$err") -eq 1 ]] || fail "plexora without a display: status $status, '$err'"
status=0
"${nodisplay[@]}" "$prefix/bin/plexora" --frobnicate 2>/dev/null || status=$?
[[ $status -eq 2 ]] || fail "plexora --frobnicate exited with $status"

# The desktop entry: valid, and offered for WAV files by its name on PATH
# and its icon in the theme.
entry=$share/applications/plexora.desktop
out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"
for line in 'Exec=plexora %F' 'Icon=plexora' 'MimeType=audio/x-wav;audio/wav;audio/vnd.wave;' 'Type=Application'; do
  grep -qxF "$line" "$entry" || fail "the desktop entry has no line '$line'"
done

# The metainfo: valid, its newest release the program's version.
metainfo=$share/metainfo/io.github.plexora.plexora.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1)
[[ $newest == "<release version=\"$version\"" ]] || fail "the newest release is $newest, not $version"
for element in '<screenshot type="default">' '<summary>' '<description>' '<content_rating type="oars-1.1"'; do
  grep -qF "$element" "$metainfo" || fail "the metainfo has no $element"
done

# Each PNG holds what its folder says: width and height from its IHDR chunk.
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/plexora.png
  [[ -f $png ]] || { fail "no ${size}x${size} icon"; continue; }
  signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
  read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
  [[ $signature == 89504e470d0a1a0a && $width == "$size" && $height == "$size" ]] ||
    fail "${size}x${size}/apps/plexora.png is $width x $height (signature $signature)"
done
[[ $(ls "$share/icons/hicolor" | sort | tr '\n' ' ') == "128x128 16x16 24x24 256x256 32x32 48x48 64x64 scalable " ]] ||
  fail "icon folders: $(ls "$share/icons/hicolor" | tr '\n' ' ')"
grep -q '<svg' "$share/icons/hicolor/scalable/apps/plexora.svg" || fail "the scalable icon is no SVG"

# The man pages render without a warning and carry the version.
for page in plexora plexora-merge plexora-info plexora-split; do
  man=$share/man/man1/$page.1.gz
  out=$(zcat "$man" | groff -man -ww -z 2>&1) || fail "groff on $page.1 exited with $?"
  [[ -z $out ]] || fail "groff on $page.1: $out"
  zgrep -q "^\.TH ${page^^} 1 .*\"Plexora $version\"" "$man" || fail "$page.1 has no title line of version $version"
done

# The licence and the release's version, for the package's documentation.
grep -q "^License: Expat" "$share/doc/plexora/copyright" || fail "the copyright file names no licence"
[[ $(zcat "$share/doc/plexora/changelog.gz" | head -1) == "plexora ($version) "* ]] ||
  fail "the changelog's first entry is not version $version"

for program in plexora-merge plexora-split plexora-info; do
  bash -n "$share/bash-completion/completions/$program" || fail "the completion of $program is no bash"
done

[[ $failures -eq 0 ]]
