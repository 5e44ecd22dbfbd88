#!/usr/bin/env bash
# The real plexora on a virtual screen, driven with xdotool: "Open with" a
# stem fills its rows and Enter writes the merge; then SIGTERM while idle
# closes it as its close box would, the settings saved beside the program.
#
#   desktop_e2e.sh PLEXORA MAKE_STEMS EXPECTED_SETTINGS   (runs itself again inside xvfb-run)
set -euo pipefail

if [[ ${1-} != --inside ]]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  # A copy, not a link: the settings file goes beside the program's real path.
  cp "$1" "$work/plexora"
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$work" "$(realpath "$2")" "$(realpath "$3")"
  exit
fi

work=$2
make_stems=$3
expected=$4
cd "$work"
fail() { echo "FAIL: $*"; kill "$pid" 2>/dev/null || true; exit 1; }
# The visible windows titled NAME (xdotool matches titles ignoring case),
# other than the window EXCEPT.
windows() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "${2:-none}" || true
}
# Retries COMMAND for up to a minute until it succeeds.
retry() {
  for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done
  return 1
}
first_window() { local id; id=$(windows "$@" | head -n 1); [[ -n $id ]] && echo "$id"; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

# "Open with Plexora": the file is dropped on the window once it runs.
mkdir stems
"$make_stems" -s 1 stems/drums{FL,FR,FC,LF,BL,BR}.wav
QT_QPA_PLATFORM=xcb ./plexora "$work/stems/drumsFL.wav" &
pid=$!
main=$(retry first_window Plexora) || fail "the main window did not appear with a file to open"
merged() { [[ -s "stems/drumssurround 5.1.wav" ]]; }
# Enter is Process; on a loaded machine it may come before the rows are
# filled, and the message about an empty row is answered and Enter pressed again.
process() {
  xdotool windowfocus --sync "$main" key Return
  for _ in $(seq 50); do merged && return 0; sleep 0.1; done
  box=$(first_window plexora "$main") && xdotool windowfocus --sync "$box" key Return
  return 1
}
retry process || fail "Enter after opening drumsFL.wav wrote no 'drumssurround 5.1.wav'"
echo "opened with stems/drumsFL.wav: $(wc -c < "stems/drumssurround 5.1.wav") bytes merged"

# SIGTERM while idle (a session logging out).
kill -TERM "$pid"
retry ended || fail "the program still runs after SIGTERM"
wait "$pid" || fail "plexora exited with status $? after SIGTERM"
cmp settings.pxr "$expected" || fail "no settings saved after SIGTERM"
echo "SIGTERM while idle: closed, settings saved"
