#!/bin/bash
# The headless subcommands run as a user runs them: import text files into a
# project, export its sheets, and fail cleanly on bad input.
# Usage: cli_test.sh PATH/TO/segmark
set -u
SEGMARK=${1:?usage: cli_test.sh PATH/TO/segmark}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# No display and a LapEnv.dat folder of our own.
unset DISPLAY WAYLAND_DISPLAY
export SEGMARK_ENV_DIR="$work/env" SEGMARK_STATE_DIR="$work/state"
mkdir -p "$SEGMARK_ENV_DIR"
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

# Runs segmark; keeps stdout in out.bin, stderr in err.txt, status in $rc.
run() {
    "$SEGMARK" "$@" >out.bin 2>err.txt
    rc=$?
}

# A failure: non-zero status, one line on stderr, nothing on stdout.
expect_failure() {
    local what=$1
    shift
    run "$@"
    [ "$rc" -ne 0 ] || fail "$what: exit status 0"
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "$what: expected one line on stderr, got: $(cat err.txt)"
    [ ! -s out.bin ] || fail "$what: wrote to stdout"
}

printf 'Stage1\t1:23\t1:20\r\nStage2\t2:50\t2:40\r\n"Boss fight"\t4:00\t4:00\r\n' >a.txt
printf 'x 0:10 0:12\ny' >b.txt

# ---- import two files, export each sheet ----
run import-text a.txt b.txt -o p.sgp
[ "$rc" -eq 0 ] || fail "import-text: status $rc: $(cat err.txt)"
[ -s p.sgp ] || fail "import-text: no project written"
[ ! -s err.txt ] || fail "import-text: wrote to stderr: $(cat err.txt)"

printf 'Stage1\t1:23\t0:01:20\t-0:03\t- - -\r\nStage2\t2:50\t0:02:40\t-0:10\t01:20\r\nBoss fight\t4:00\t0:04:00\t\x81\x7d0\t01:20\r\n' >expected0.bin
run export-text p.sgp
[ "$rc" -eq 0 ] || fail "export-text sheet 0: status $rc: $(cat err.txt)"
cmp -s out.bin expected0.bin || fail "export-text sheet 0: got $(od -c out.bin)"

printf 'x\t0:10\t0:00:12\t+0:02\t- - -\r\ny\t\t\t\t\r\n' >expected1.bin
run export-text p.sgp --sheet 1
[ "$rc" -eq 0 ] || fail "export-text sheet 1: status $rc: $(cat err.txt)"
cmp -s out.bin expected1.bin || fail "export-text sheet 1: got $(od -c out.bin)"
# A sheet number is read with all its digits.
run export-text p.sgp --sheet 0001
[ "$rc" -eq 0 ] || fail "export-text sheet 0001: status $rc: $(cat err.txt)"
cmp -s out.bin expected1.bin || fail "export-text sheet 0001: got $(od -c out.bin)"

# The project holds exactly the two sheets, named after the files.
expect_failure "sheet beyond the project" export-text p.sgp --sheet 2
head -c 4 p.sgp | od -An -tu4 | grep -qw 2 || fail "sheet count is not 2"
name_at() { dd if=p.sgp bs=1 skip="$1" count=2 status=none | od -An -c | tr -d ' '; }
[ "$(name_at 4)" = 'a\0' ] || fail "first sheet is not named a: $(name_at 4)"
[ "$(name_at 637)" = 'b\0' ] || fail "second sheet is not named b: $(name_at 637)"

# ---- sheet names: folder and everything from the first "." dropped, stored
# in the code page (UTF-8 file names converted, others taken as they are) ----
mkdir -p dir.v1
cp b.txt dir.v1/run.2024.txt
cp b.txt "$(printf '\xe3\x82\xb9\xe3\x83\x86.txt')"  # "ステ" in UTF-8
cp b.txt "$(printf '\x83\x58\x83\x65.txt')"           # "ステ" in the code page
run import-text dir.v1/run.2024.txt "$(printf '\xe3\x82\xb9\xe3\x83\x86.txt')" \
    "$(printf '\x83\x58\x83\x65.txt')" -o names.sgp
[ "$rc" -eq 0 ] || fail "import of named files: status $rc: $(cat err.txt)"
name_hex() { dd if=names.sgp bs=1 skip="$1" count=6 status=none | od -An -tx1 | tr -d ' \n'; }
[ "$(name_hex 4)" = '72756e000000' ] || fail "folder or extension kept: $(name_hex 4)"
[ "$(name_hex 637)" = '835883650000' ] || fail "UTF-8 name not converted: $(name_hex 637)"
[ "$(name_hex 1270)" = '835883650000' ] || fail "code-page name changed: $(name_hex 1270)"

# ---- many rows: imported without asking ----
for i in $(seq 1 60); do printf 'L%d\t1:00\t1:00\r\n' "$i"; done >many.txt
run import-text many.txt -o many.sgp
[ "$rc" -eq 0 ] || fail "import of 60 lines: status $rc: $(cat err.txt)"
run export-text many.sgp
[ "$(tr -cd '\n' <out.bin | wc -c)" -eq 60 ] || fail "import of 60 lines: not 60 rows"

# ---- the default sheet settings come from LapEnv.dat ----
head -c 4081 /dev/zero >"$SEGMARK_ENV_DIR/LapEnv.dat"
printf '\x08' | dd of="$SEGMARK_ENV_DIR/LapEnv.dat" bs=1 seek=3704 conv=notrunc status=none # TimeFormat 8
run import-text a.txt -o raw.sgp
run export-text raw.sgp
head -1 out.bin | grep -q $'^Stage1\t1:23\t1:20\t' || fail "LapEnv.dat display format not used: $(head -1 out.bin)"

# Stored Now texts not yet in the display format: each row is rewritten
# before the next row reads it, so the interval subtracts the rewritten text.
printf 'a 1:00 1:00"500\nb 1:59 2:00"700\n' >o.txt
run import-text o.txt -o o.sgp # still TimeFormat 8: texts kept as typed
printf '\x00' | dd of=o.sgp bs=1 seek=259 conv=notrunc status=none # TimeFormat 0
printf 'a\t1:00\t0:01:00\t+0:00"500\t- - -\r\nb\t1:59\t0:02:00\t+0:01"700\t01:00"700\r\n' >expected_o.bin
run export-text o.sgp
cmp -s out.bin expected_o.bin || fail "rows evaluated in order: got $(od -c out.bin)"
rm "$SEGMARK_ENV_DIR/LapEnv.dat"

# A short LapEnv.dat gives default values, not zeros, for what it lacks:
# the column widths of the default settings, say.
head -c 3449 /dev/zero >"$SEGMARK_ENV_DIR/LapEnv.dat"
run import-text a.txt -o short.sgp
[ "$rc" -eq 0 ] || fail "import with a short LapEnv.dat: status $rc: $(cat err.txt)"
[ "$(dd if=short.sgp bs=1 skip=$((4 + 559)) count=4 status=none | od -An -tu4 | tr -d ' ')" = 74 ] ||
    fail "short LapEnv.dat: column 0 width is not the default 74"
rm "$SEGMARK_ENV_DIR/LapEnv.dat"

# ---- failures ----
expect_failure "missing project" export-text missing.sgp
head -c 700 p.sgp >damaged.sgp
expect_failure "damaged project" export-text damaged.sgp
printf '\xff\xff\xff\xff' >negative.sgp
expect_failure "negative sheet count" export-text negative.sgp

expect_failure "export without a file" export-text
expect_failure "export with two files" export-text p.sgp p.sgp
expect_failure "sheet number not a number" export-text p.sgp --sheet one
expect_failure "sheet number missing" export-text p.sgp --sheet
expect_failure "unknown option" export-text p.sgp --all
expect_failure "import without -o" import-text a.txt
expect_failure "import without files" import-text -o none.sgp
expect_failure "import with -o twice" import-text a.txt -o x.sgp -o y.sgp

expect_failure "missing text file" import-text a.txt missing.txt -o out1.sgp
[ ! -e out1.sgp ] || fail "missing text file: output written"
expect_failure "unwritable output" import-text a.txt -o "$work/no/such/folder/out2.sgp"
cp p.sgp keep.sgp
expect_failure "failed import over a project" import-text missing.txt -o keep.sgp
cmp -s p.sgp keep.sgp || fail "failed import changed the existing project"
left=$(ls | grep '\.sgp\.' || true)
[ -z "$left" ] || fail "temporary file left: $left"

# expect_failure with a given exit status and a word in the message.
expect_refusal() {
    local what=$1 code=$2 word=$3
    shift 3
    expect_failure "$what" "$@"
    [ "$rc" -eq "$code" ] || fail "$what: exit status $rc, not $code"
    grep -q -- "$word" err.txt || fail "$what: message without \"$word\": $(cat err.txt)"
}

# ---- an output that is an input: refused, both files kept ----
cp a.txt in.txt
ln -s p.sgp soft.sgp
ln p.sgp hard.sgp
cp p.sgp before.sgp
expect_refusal "project over itself" 2 "is the input" import-text p.sgp -o p.sgp
expect_refusal "text over itself" 2 "is the input" import-text a.txt in.txt -o in.txt
expect_refusal "over an input through a link" 2 "is the input" import-text soft.sgp -o p.sgp
expect_refusal "over an input through a hard link" 2 "is the input" import-text a.txt hard.sgp -o p.sgp
cmp -s p.sgp before.sgp || fail "an input was replaced"
cmp -s a.txt in.txt || fail "a text input was replaced"

# ---- folders and odd outputs ----
mkdir -p folder
expect_refusal "folder as project" 1 "is a folder" export-text folder
expect_refusal "folder as text" 1 "is a folder" import-text folder -o f.sgp
expect_refusal "-o folder/" 1 "is a folder" import-text a.txt -o folder/
expect_refusal "-o a missing folder/" 1 "is a folder" import-text a.txt -o nofolder/
mkfifo fifo
ln -s nowhere dangling.sgp
ln -s loop.sgp loop.sgp
cp p.sgp ro.sgp && chmod 444 ro.sgp
expect_refusal "-o a FIFO" 1 "not a regular file" import-text a.txt -o fifo
expect_refusal "-o a dangling link" 1 "missing file" import-text a.txt -o dangling.sgp
expect_refusal "-o a link loop" 1 "loop" import-text a.txt -o loop.sgp
expect_refusal "-o a read-only file" 1 "read-only" import-text a.txt -o ro.sgp
[ -p fifo ] && [ -L dangling.sgp ] && [ ! -e nowhere ] && [ -L loop.sgp ] || fail "an odd output was replaced"
cmp -s ro.sgp p.sgp || fail "a read-only project was replaced"
run import-text b.txt -o soft.sgp # a link is written through and kept
[ "$rc" -eq 0 ] && [ -L soft.sgp ] || fail "saving through a link: status $rc, link kept: $(ls -l soft.sgp)"
cmp -s soft.sgp p.sgp || fail "saving through a link did not replace its target"
cp before.sgp p.sgp

# ---- a text longer than a sheet may be is refused, and nothing written ----
yes x | head -n 1000001 >long.txt
cp p.sgp keep.sgp
expect_refusal "text of 1000001 lines" 1 "at most 1000000" import-text long.txt -o keep.sgp
cmp -s p.sgp keep.sgp || fail "refused import changed the existing project"
head -n 1000000 long.txt >limit.txt
run import-text limit.txt -o limit.sgp
[ "$rc" -eq 0 ] || fail "text of 1000000 lines: status $rc: $(cat err.txt)"
run export-text limit.sgp
[ "$rc" -eq 0 ] || fail "project at the row limit does not open: $(cat err.txt)"
[ "$(tr -cd '\n' <out.bin | wc -c)" -eq 1000000 ] || fail "project at the row limit: rows lost"

# ---- no subcommand: not handled here (the window starts) ----
[ "$status" -eq 0 ] && echo "cli: all passed"
exit "$status"
