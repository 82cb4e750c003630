#!/bin/bash
# Runs the bash completion function for command lines as a user types them
# (the cursor at the end) and compares the offered words; the zsh and fish
# scripts are parsed by their shells when those are installed.
# Usage: bash_completion_test.sh COMPLETION_DIR
set -u
dir=${1:?usage: bash_completion_test.sh COMPLETION_DIR}
dir=$(cd "$dir" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

# shellcheck source=/dev/null
source "$dir/segmark.bash"
complete -p segmark >/dev/null 2>&1 || fail "no completion registered for segmark"

# A project of three sheets, one file of each kind, a folder, and files
# that match no argument.
printf '\3\0\0\0' >runs.sgp
touch any.lss urn.json pb.splits stage.txt notes.dat sgp.txt
mkdir sub

# The words offered for LINE, sorted, one blank between them.
offered() {
    local line=$1
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    _segmark segmark "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort -u | paste -sd ' ' -
}

# name | command line | words offered
cases=(
    "first word|segmark |export-csv export-splits export-text import-splits import-text runs.sgp sub"
    "first word, a prefix|segmark imp|import-splits import-text"
    "first word, an option|segmark --|--cell-input --clear-now --get --help --version --watch"
    "export-text project|segmark export-text |runs.sgp sub"
    "sheets of the named project|segmark export-text runs.sgp --sheet |0 1 2"
    "sheet before the project|segmark export-csv --sheet |0"
    "export-text options|segmark export-text runs.sgp -|--sheet"
    "an option given once|segmark export-text runs.sgp --sheet 1 -|"
    "import-text inputs|segmark import-text |sgp.txt stage.txt sub"
    "import-text output|segmark import-text stage.txt -o |runs.sgp sub"
    "import-splits inputs|segmark import-splits |any.lss pb.splits sub urn.json"
    "import-splits options left|segmark import-splits any.lss -o p.sgp -|--format --timing"
    "import-splits timing|segmark import-splits any.lss --timing |game real"
    "import-splits format|segmark import-splits any.lss --format |0 1 2 3 4 5 6 7 8"
    "export-splits options|segmark export-splits runs.sgp -|--as --category --game --sheet -o"
    "export-splits output|segmark export-splits runs.sgp -o |any.lss pb.splits sub urn.json"
    "export-splits as|segmark export-splits runs.sgp -o x.json --as |splitsio"
    "export-splits game is free text|segmark export-splits runs.sgp --game |"
    "get options|segmark --get -|--format"
    "get format|segmark --get --format |json text"
    "cell-input text is free|segmark --cell-input |"
    "cell-input moves|segmark --cell-input 1:23 -|--moves"
    "watch takes nothing|segmark --watch -|"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name line want <<<"$c"
    got=$(offered "$line")
    [ "$got" = "$want" ] || fail "$name: '$line' offered '$got', expected '$want'"
done

if command -v zsh >/dev/null; then
    zsh -n "$dir/_segmark" || fail "zsh cannot parse _segmark"
fi
if command -v fish >/dev/null; then
    fish --no-execute "$dir/segmark.fish" || fail "fish cannot parse segmark.fish"
fi
exit $status
