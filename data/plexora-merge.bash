# bash completion for plexora-merge: its options; after -c the names of the
# configurations, as plexora-merge --list prints them for the settings the
# line names; WAV files and folders for the inputs.

_plexora_merge()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local IFS=$'\n'
    COMPREPLY=()
    case $prev in
        -c | --configuration)
            _plexora_merge_configurations
            return
            ;;
        -m | --mask)
            return
            ;;
        -o | --output | --settings)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
    esac
    if [[ $cur == -* ]]; then
        local options=(-c --configuration -m --mask -o --output --auto --settings --list --plain --bext --check -q --quiet
            -h --help --version)
        COMPREPLY=($(compgen -W "${options[*]}" -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -X '!*.[wW][aA][vV]' -- "$cur") $(compgen -d -- "$cur"))
}

# The configuration names that start as the word does (typed with or without
# quotes or backslashes), each escaped as one word.
_plexora_merge_configurations()
{
    local typed=${COMP_WORDS[COMP_CWORD]} i name
    typed=${typed#[\'\"]}
    typed=${typed//\\/}
    local -a list=(--list)
    for ((i = 1; i < COMP_CWORD - 1; i++)); do
        [[ ${COMP_WORDS[i]} == --settings ]] && list+=(--settings "${COMP_WORDS[i + 1]}")
    done
    # "  3: 'surround 5.1', mask 0x3F (default): Front Left, ..." gives surround 5.1.
    while IFS= read -r name; do
        [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done < <("${COMP_WORDS[0]}" "${list[@]}" 2>/dev/null |
        sed -n "s/^  [0-9]*: '\(.*\)', mask 0x[0-9A-F]*\( (default)\)\{0,1\}:.*/\1/p")
}

complete -F _plexora_merge plexora-merge
