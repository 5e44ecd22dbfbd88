#!/usr/bin/env bash
# The real plexora on a virtual screen: started as a copy in a fresh folder,
# it is driven with xdotool as a person would drive it. Process is clicked
# with no files chosen, the message box it shows is found and answered with
# Enter, the main window is closed through its system menu, and the settings
# file must then stand beside the program, holding the built-in settings.
# Then "Open with": started with a stem on its command line, the program
# fills its rows, and Enter (Process) writes the merge; SIGTERM then ends it.
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
# Retries COMMAND for up to a minute until it succeeds (a loaded machine
# can take its time to map a window).
retry() {
  for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done
  return 1
}
first_window() { local id; id=$(windows "$@" | head -n 1); [[ -n $id ]] && echo "$id"; }
no_message_box() { [[ -z $(windows plexora "$main") ]]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

QT_QPA_PLATFORM=xcb ./plexora &
pid=$!

main=$(retry first_window Plexora) || fail "the main window did not appear"

# Process sits at client (398, 186)-(473, 208) with the built-in settings'
# six rows; a click in its middle.
xdotool mousemove --sync --window "$main" 435 197 click 1
box=$(retry first_window plexora "$main") || fail "no message box after Process"
xdotool windowfocus --sync "$box" key Return
retry no_message_box || fail "Enter did not close the message box"

# The system menu from the dialog's background, then its Close item by its mnemonic.
close_through_system_menu() {
  xdotool mousemove --sync --window "$main" 400 12 click 3
  sleep 0.5
  xdotool key c
  sleep 0.5
  ended
}
retry close_through_system_menu || fail "the program still runs after Close"
wait "$pid" || fail "plexora exited with status $?"

[[ -s settings.pxr ]] || fail "no settings.pxr beside the program"
cmp settings.pxr "$expected" || fail "settings.pxr does not hold the built-in settings"
echo "settings.pxr written: $(wc -c < settings.pxr) bytes, the built-in settings"

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

# Idle, and asked to end by SIGTERM (a session logging out): the program
# closes as its close box would, with status 0, and saves its settings.
rm settings.pxr
kill -TERM "$pid"
retry ended || fail "the program still runs after SIGTERM"
wait "$pid" || fail "plexora exited with status $? after SIGTERM"
cmp settings.pxr "$expected" || fail "no settings saved after SIGTERM"
echo "SIGTERM while idle: closed, settings saved"
