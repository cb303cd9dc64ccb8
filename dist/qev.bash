# qev.bash - bash completion for qev: subcommands and options (read from "qev --help",
# so they follow the program), unit systems and files after -u and -f, and the unit
# names of your library ("qev units -n") in formulas and where a unit is asked for.

# The option words of "qev --help": the options of formulas, and each subcommand's.
# Sets _qev_options and _qev_subcommands; _qev_suboptions_<name> per subcommand.
_qev_readhelp()
{
    local qev=$1 line section="" word sub
    _qev_options="" _qev_subcommands=""
    while IFS= read -r line; do
        case $line in
            Options*) section=options; continue ;;
            Subcommands*) section=subcommands; continue ;;
            [![:space:]]*) section=""; continue ;;
        esac
        if [[ $section == options && $line =~ ^\ \ (-[^[:space:]].*) ]]; then
            # "  -ce, -cr   text" or "  -p N   text": the words before the text
            for word in ${BASH_REMATCH[1]%%  *}; do
                word=${word%,}
                [[ $word == -* ]] && _qev_options+=" $word"
            done
        elif [[ $section == subcommands && $line =~ ^\ \ [a-z] ]]; then
            # "delunit [-u SYSTEM] NAME [--force], delfunc [-f FILE] NAME": a name
            # first and after a comma, then its words that begin with "-"
            local w var next=1
            sub=""
            for w in $(tr '[]|' '   ' <<<"$line"); do
                if ((next)) && [[ $w =~ ^[a-z]+$ ]]; then
                    sub=$w
                    _qev_subcommands+=" $sub"
                    printf -v "_qev_suboptions_$sub" '%s' ""
                elif [[ $w == -* && -n $sub ]]; then
                    var=_qev_suboptions_$sub
                    printf -v "$var" '%s %s' "${!var}" "${w%,}"
                fi
                next=0
                [[ $w == *, ]] && next=1
            done
        fi
    done < <("$qev" --help 2>/dev/null)
    _qev_options+=" --help --version"
}

# The unit names of the library, for the unit system given by -u among 'words'.
_qev_units()
{
    local qev=$1; shift
    local words=("$@") args=() i
    for ((i = 0; i + 1 < ${#words[@]}; i++)); do
        [[ ${words[i]} == -u ]] && args=(-u "${words[i+1]}")
    done
    "$qev" units -n "${args[@]}" 2>/dev/null
}

# The names of the unit systems of the library.
_qev_systems()
{
    local dir=${XDG_DATA_HOME:-$HOME/.local/share}/qev f
    for f in "$dir"/*.usys; do
        [[ -e $f ]] && f=${f##*/} && printf '%s\n' "${f%.usys}"
    done
}

_qev()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local qev=${COMP_WORDS[0]} sub="" i words
    COMPREPLY=()
    [[ -n ${_qev_subcommands+set} ]] || _qev_readhelp "$qev"
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ " $_qev_subcommands " == *" ${COMP_WORDS[i]} "* ]]; then
            sub=${COMP_WORDS[i]}
            break
        fi
        [[ ${COMP_WORDS[i]} == -[puf] ]] && ((i++))
    done
    case $prev in
        -u)
            COMPREPLY=($(compgen -W "$(_qev_systems)" -- "$cur"))
            COMPREPLY+=($(compgen -f -X '!*.usys' -- "$cur") $(compgen -d -- "$cur"))
            return ;;
        -f)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        -p | -t | -mult | -add1 | -add2)
            return ;;
        -unit | -o | --to)
            COMPREPLY=($(compgen -W "$(_qev_units "$qev" "${COMP_WORDS[@]}")" -- "$cur"))
            return ;;
    esac
    if [[ $cur == -* ]]; then
        if [[ -n $sub ]]; then
            words=_qev_suboptions_$sub
            COMPREPLY=($(compgen -W "${!words} --help" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$_qev_options" -- "$cur"))
        fi
        return
    fi
    case $sub in
        *func)  # the name of a function of yours
            COMPREPLY=($(compgen -W "$("$qev" functions 2>/dev/null)" -- "$cur"))
            return ;;
        "" | units | unitof | *unit) ;;
        *) return ;;
    esac
    if [[ -z $sub && $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$_qev_subcommands" -- "$cur"))
    fi
    # A unit name at the end of a formula word: "3*k" completes to "3*km" and others.
    if [[ $cur =~ [A-Za-z_][A-Za-z0-9_]*$ ]]; then
        local name=${BASH_REMATCH[0]} u
        for u in $(compgen -W "$(_qev_units "$qev" "${COMP_WORDS[@]}")" -- "$name"); do
            COMPREPLY+=("${cur%"$name"}$u")
        done
    fi
}
complete -F _qev qev
