#!/usr/bin/env bash
# The Debian package of make deb, built into a fresh folder: lintian finds
# no error or warning, it holds exactly the install rule's files under /usr,
# and its control fields are those of a package a user installs.
#
#   package_test.sh BUILD_DIR VERSION
set -euo pipefail

build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -B "$work" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$work/plexora_${version}_amd64.deb

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[[ -f $deb ]] || { echo "FAIL: no $deb"; exit 1; }

lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian: $(lintian "$deb" 2>/dev/null)"

# The files and links, as the install rule writes them under a prefix of /usr.
cmake --install "$build" --prefix "$work/root/usr" >/dev/null
expected=$(cd "$work/root" && find . ! -type d | LC_ALL=C sort)
packaged=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | LC_ALL=C sort)
[[ $packaged == "$expected" ]] || fail "the package's files differ from the install rule's:
$(diff <(echo "$expected") <(echo "$packaged"))"
# Programs runnable by everyone, the rest readable, all root's.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ && $2 != "root/root" { print "FAIL: not root'"'"'s: " $0; exit 1 }' ||
  failures=$((failures + 1))
modes=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub("^\\./", "", $6); print $1, $6 }' | LC_ALL=C sort)
while read -r mode path; do
  case $path in
    usr/bin/*) [[ $mode == -rwxr-xr-x ]] || fail "$path is $mode" ;;
    *) [[ $mode == -rw-r--r-- ]] || fail "$path is $mode" ;;
  esac
done <<<"$modes"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == plexora ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ $(field Architecture) == amd64 ]] || fail "Architecture: $(field Architecture)"
[[ $(field Section) == sound ]] || fail "Section: $(field Section)"
# What the programs link, as dpkg-shlibdeps finds it, and nothing of the build.
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6svg6; do
  [[ $depends == *"$library ("* ]] || fail "Depends has no $library: $depends"
done
[[ $depends != *dev* && $depends != *gtest* && $depends != *sndfile* ]] || fail "Depends of the build: $depends"
[[ $(field Maintainer) == *"<"*"@"*">" ]] || fail "Maintainer: $(field Maintainer)"
description=$(field Description)
[[ $description == "merge mono WAV stems into one multichannel WAV file"$'\n'* &&
   $description == *plexora-split* ]] || fail "Description: $description"

[[ $failures -eq 0 ]]
