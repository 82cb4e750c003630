#!/bin/bash
# The manual page renders without a single warning (as groff and man check
# it, and as lintian runs man), and names every subcommand and option that
# segmark --help prints.
# Usage: man_page_test.sh PATH/TO/segmark.1 PATH/TO/segmark
set -u
page=${1:?usage: man_page_test.sh PAGE SEGMARK}
segmark=${2:?usage: man_page_test.sh PAGE SEGMARK}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

groff -ww -z -man "$page" 2>"$work/groff.txt" || fail "groff exit status $?"
[ ! -s "$work/groff.txt" ] || fail "groff warns: $(cat "$work/groff.txt")"
if command -v man >/dev/null; then
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" >/dev/null 2>"$work/man.txt"
    [ ! -s "$work/man.txt" ] || fail "man warns: $(cat "$work/man.txt")"
fi

# Plain text on long lines, so that no name is broken across two.
groff -man -Tascii -P-cbou -rLL=400n "$page" >"$work/page.txt" 2>/dev/null
grep -q '^NAME' "$work/page.txt" || fail "the page has no NAME section"

"$segmark" --help >"$work/help.txt" || fail "segmark --help exit status $?"
words=$( (
    grep -o 'segmark [a-z][a-z-]*' "$work/help.txt" | cut -d' ' -f2
    grep -oE '(^|[][ |])--?[a-z][a-z-]*' "$work/help.txt" | sed 's/^[][ |]//'
) | sort -u)
[ -n "$words" ] || fail "no subcommand or option found in segmark --help"
for w in $words; do
    grep -qE -- "(^|[^a-z-])$w([^a-z-]|\$)" "$work/page.txt" || fail "the page does not name $w"
done
exit $status
