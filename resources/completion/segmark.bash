# bash completion for segmark(1). Needs nothing from the bash-completion
# package, so it also works when sourced by hand.

# Adds the folders and the files ending in one of the given extensions.
_segmark_files() {
    local cur=$1 ext
    shift
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    COMPREPLY+=($(compgen -d -- "$cur"))
    for ext in "$@"; do
        COMPREPLY+=($(compgen -f -X "!*.$ext" -- "$cur"))
    done
}

# The sheet numbers of the project named on the line: its file starts with
# the sheet count (int32, little-endian).
_segmark_sheets() {
    local cur=$1 w count=1 n
    for w in "${COMP_WORDS[@]:2}"; do
        if [[ $w == *.sgp && -f $w && -r $w ]]; then
            n=$(od -An -tu4 -N4 -- "$w" 2>/dev/null)
            n=${n//[[:space:]]/}
            [[ $n =~ ^[0-9]+$ ]] && ((n > 0)) && count=$((n < 1000 ? n : 1000))
            break
        fi
    done
    COMPREPLY=($(compgen -W "$(seq 0 $((count - 1)))" -- "$cur"))
}

_segmark() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local cmd=${COMP_WORDS[1]}
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--clear-now --cell-input --get --watch --help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "export-text export-csv import-text import-splits export-splits" -- "$cur"))
            _segmark_files "$cur" sgp
        fi
        return 0
    fi

    # The value of the option before the cursor.
    case $cmd:$prev in
    *:--sheet)
        _segmark_sheets "$cur"
        return 0
        ;;
    import-splits:--format)
        COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7 8" -- "$cur"))
        return 0
        ;;
    --get:--format)
        COMPREPLY=($(compgen -W "text json" -- "$cur"))
        return 0
        ;;
    *:--timing)
        COMPREPLY=($(compgen -W "real game" -- "$cur"))
        return 0
        ;;
    *:--as)
        COMPREPLY=($(compgen -W "splitsio" -- "$cur"))
        return 0
        ;;
    import-text:-o | import-splits:-o)
        _segmark_files "$cur" sgp
        return 0
        ;;
    export-splits:-o)
        _segmark_files "$cur" lss json splits
        return 0
        ;;
    *:--game | *:--category | *:--moves | --cell-input:--cell-input)
        return 0
        ;;
    esac

    local options files=()
    case $cmd in
    export-text | export-csv)
        options="--sheet"
        files=(sgp)
        ;;
    export-splits)
        options="--sheet -o --game --category --as"
        files=(sgp)
        ;;
    import-text)
        options="-o"
        files=(txt)
        ;;
    import-splits)
        options="-o --timing --format"
        files=(lss json splits)
        ;;
    --cell-input) ((COMP_CWORD == 3)) && options="--moves" ;;
    --get) ((COMP_CWORD == 2)) && options="--format" ;;
    esac

    if [[ $cur == -* ]]; then
        # Each option once.
        local o w left=()
        for o in $options; do
            for w in "${COMP_WORDS[@]:2:COMP_CWORD-2}"; do
                [[ $w == "$o" ]] && continue 2
            done
            left+=("$o")
        done
        COMPREPLY=($(compgen -W "${left[*]}" -- "$cur"))
    elif ((${#files[@]})); then
        _segmark_files "$cur" "${files[@]}"
    fi
    return 0
}

complete -F _segmark segmark
