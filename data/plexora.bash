# bash completion for plexora-merge, plexora-split and plexora-info: their
# options; after -c the names of the configurations, as plexora-merge --list
# prints them for the settings the line names; WAV files and folders for the
# inputs.

# What each option takes: configuration (a name from --list), file, folder,
# value (typed, not completed), or nothing. One option a line.
declare -gA _plexora_merge_options=(
    [-c]=configuration [--configuration]=configuration
    [-m]=value [--mask]=value
    [-o]=file [--output]=file
    [--auto]= [--list]= [--plain]= [--bext]=
    [--check]=
    [--settings]=file
    [-q]= [--quiet]=
    [-h]= [--help]= [--version]=
)
declare -gA _plexora_split_options=(
    [-c]=configuration [--configuration]=configuration
    [-o]=folder [--output]=folder
    [-t]=value [--tags]=value
    [-f]= [--force]=
    [--settings]=file
    [-q]= [--quiet]=
    [-h]= [--help]= [--version]=
)
declare -gA _plexora_info_options=(
    [--json]=
    [--levels]=
    [--settings]=file
    [-h]= [--help]= [--version]=
)

_plexora()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} program=${1##*/}
    local -n options=_${program//-/_}_options
    local IFS=$'\n'
    COMPREPLY=()
    if [[ $COMP_CWORD -gt 1 && -n $prev && -v options[$prev] ]]; then
        case ${options[$prev]} in
            configuration)
                _plexora_configurations
                return
                ;;
            value)
                return
                ;;
            file)
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -f -- "$cur"))
                return
                ;;
            folder)
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -d -- "$cur"))
                return
                ;;
        esac
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${!options[*]}" -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -X '!*.[wW][aA][vV]' -- "$cur") $(compgen -d -- "$cur"))
}

# plexora-merge beside the program being completed (typed as a path, ~/...,
# or found on the PATH), so that names complete wherever the programs are;
# else the one on the PATH.
_plexora_merge_program()
{
    local program=${COMP_WORDS[0]}
    [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
    [[ $program == */* ]] || program=$(type -P "$program")
    if [[ $program == */* && -x ${program%/*}/plexora-merge ]]; then
        printf '%s\n' "${program%/*}/plexora-merge"
    else
        printf '%s\n' plexora-merge
    fi
}

# The configuration names that start as the word does (typed with or without
# quotes or backslashes), each escaped as one word.
_plexora_configurations()
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
    done < <("$(_plexora_merge_program)" "${list[@]}" 2>/dev/null |
        sed -n "s/^  [0-9]*: '\(.*\)', mask 0x[0-9A-F]*\( (default)\)\{0,1\}:.*/\1/p")
}

complete -F _plexora plexora-merge plexora-split plexora-info
