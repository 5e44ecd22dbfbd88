#!/usr/bin/env bash
# The programs' bash completion, called as bash calls it for a line typed so
# far. The programs are not on the PATH: configuration names come from the
# plexora-merge beside the program typed.
#
#   completion_test.sh COMPLETION PROGRAM_FOLDER
set -uo pipefail

source "$1"
bin=$(realpath "$2")
program=$bin/plexora-merge
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch drumsFL.wav drumsFR.WAV notes.txt
mkdir takes
printf '%s\n' '[Configurations]' 'number of configurations = 3' 'default configuration = 0' \
  'configuration #0 = Été' 'channel mask #0 = 3' "configuration #1 = it's 5.1" 'channel mask #1 = 63' \
  'configuration #2 = été 2' 'channel mask #2 = 7' >my.pxr

failures=0
# check "EXPECTED" WORD...: the completions of the last word after $program,
# sorted, one a line.
check() {
  local expected=$1
  shift
  COMP_WORDS=("$program" "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _plexora "$program" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort)
  if [[ $got != "$expected" ]]; then
    echo "FAIL: plexora-merge $* <Tab>"
    echo "  expected: ${expected//$'\n'/ | }"
    echo "  got:      ${got//$'\n'/ | }"
    failures=$((failures + 1))
  fi
}

check $'--auto' --au
check $'--settings' -q --se
check $'--version' -o out.wav --v
check $'quadriphony\nstereo\nsurround\nsurround\\ 5.1\nsurround\\ 7.1' -c ''
check $'surround\\ 5.1\nsurround\\ 7.1' --configuration 'surround '
check $'surround\\ 5.1' -c "'surround 5"
check $'surround\\ 7.1' -c 'surround\ 7'
check $'Été' --settings my.pxr -c É
check $'it\\\'s\\ 5.1' --settings my.pxr --auto -c i
check '' -c nothing
check '' -m ''
check $'drumsFL.wav\ndrumsFR.WAV\ntakes' ''
check $'drumsFL.wav\ndrumsFR.WAV' -c stereo -o mix.wav dr
check $'drumsFL.wav\ndrumsFR.WAV\nmy.pxr\nnotes.txt\ntakes' -o ''
check $'my.pxr' --settings m

program=$bin/plexora-split
check $'--force' --f
check $'--tags' --t
check '' -t ''
check $'surround\\ 5.1\nsurround\\ 7.1' -f -c 'surround '
check $'takes' -o ''
check $'drumsFL.wav\ndrumsFR.WAV\ntakes' -c stereo ''
program=$bin/plexora-info
check $'--json' --j
check $'my.pxr' --settings m
check '' --json -x
ln -s "$bin" bin
program='~/bin/plexora-split'
HOME=$work check $'stereo' -c st

[[ $failures -eq 0 ]]
