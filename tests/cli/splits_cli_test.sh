#!/bin/bash
# Other timers' split files into a project, and a sheet out as CSV, run as a
# user runs them; damaged and hostile files are refused cleanly.
# Usage: splits_cli_test.sh PATH/TO/segmark PATH/TO/tests/data/splits
set -u
SEGMARK=${1:?usage: splits_cli_test.sh PATH/TO/segmark DATA_DIR}
DATA=${2:?usage: splits_cli_test.sh PATH/TO/segmark DATA_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY
export SEGMARK_ENV_DIR="$work/env"
mkdir -p "$SEGMARK_ENV_DIR"
cp "$DATA/marathon.lss" "$DATA/castle.json" .
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

# Runs segmark (a hang fails too); stdout in out.bin, stderr in err.txt.
run() {
    timeout 60 "$SEGMARK" "$@" >out.bin 2>err.txt
    rc=$?
}
expect_ok() {
    local what=$1
    shift
    run "$@"
    [ "$rc" -eq 0 ] && [ ! -s err.txt ] || fail "$what: status $rc: $(cat err.txt)"
}
expect_out() { # the whole standard output, given as UTF-8 lines
    printf '%s\r\n' "${@:2}" >expected.bin
    cmp -s out.bin expected.bin || fail "$1: got $(cat -A out.bin)"
}
utf8_out() { iconv -f CP932 -t UTF-8 out.bin >out.txt && mv out.txt out.bin; }

# ---- both formats, milliseconds kept, read back as CSV ----
expect_ok "import-splits" import-splits marathon.lss castle.json -o p.sgp --format 6
expect_ok "export-csv sheet 0" export-csv p.sgp
expect_out "marathon, real time" 'Segment,Best,Now,Split,Interval' \
    '森の神殿,"1:23""456",,,' \
    '"Cr?me br?l?e, ""hard""","3:04""050",,,' \
    'No PB yet,,,,' \
    'Final <boss> & ending,"1563:04""500",,,'
expect_ok "export-csv sheet 1" export-csv p.sgp --sheet 1
expect_out "castle" 'Segment,Best,Now,Split,Interval' \
    'ステージ１,"0:41""299",,,' \
    "Ch?teau d'If,\"11:41\"\"299\",,," \
    'Tower,,,,' \
    'Long way,"62:03""450",,,' \
    'Last,"71582:47""295",,,'

# A sheet with current times: evaluated as export-text evaluates it.
printf 'Stage1\t1:23\t1:20\r\n"a, b"\t2:50\t2:50\r\n' >run.txt
expect_ok "import-text" import-text run.txt -o run.sgp
expect_ok "export-csv evaluated" export-csv run.sgp
expect_out "evaluated sheet" 'Segment,Best,Now,Split,Interval' 'Stage1,1:23,0:01:20,-0:03,- - -' \
    '"a, b",2:50,0:02:50,±0,01:30'

# ---- game time in the default display format ----
expect_ok "import-splits game time" import-splits marathon.lss -o g.sgp --timing game
expect_ok "export-text game time" export-text g.sgp
utf8_out
expect_out "marathon, game time" $'森の神殿\t0:01:20\t\t\t' $'Cr?me br?l?e, "hard"\t\t\t\t' \
    $'No PB yet\t\t\t\t' $'Final <boss> & ending\t1500:00"999\t\t\t'

# ---- a split file makes the sheet the text import makes of the same cells
# (display format 8 in the default settings, so both keep the texts) ----
head -c 4081 /dev/zero >"$SEGMARK_ENV_DIR/LapEnv.dat"
printf '\x08' | dd of="$SEGMARK_ENV_DIR/LapEnv.dat" bs=1 seek=3704 conv=notrunc status=none
mkdir -p text
printf '"ステージ１"\t0:41"299\r\n"Ch?teau d'"'"'If"\t11:41"299\r\nTower\r\n"Long way"\t62:03"450\r\nLast\t71582:47"295\r\n' |
    iconv -f UTF-8 -t CP932 >text/castle.txt
expect_ok "import-text" import-text text/castle.txt -o from_text.sgp
expect_ok "import-splits with format 8" import-splits castle.json -o from_json.sgp
cmp -s from_text.sgp from_json.sgp || fail "split import differs from text import"
rm "$SEGMARK_ENV_DIR/LapEnv.dat"

# ---- refusals: status 1, one line naming the file, the project unchanged
# (what the readers refuse inside a file is tested beside them) ----
printf '<!DOCTYPE Run [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]><Run><Segments><Segment><Name>&b;</Name></Segment></Segments></Run>' >laughs.lss
printf '{"splits":[{"title":"Boss","time":"1193:02:47.296"}]}' >beyond.json
truncate -s 100M big.lss
mkfifo fifo.json
cp p.sgp keep.sgp
refused() { # FILE MESSAGE
    run import-splits marathon.lss "$1" -o keep.sgp
    [ "$rc" -eq 1 ] && [ "$(wc -l <err.txt)" -eq 1 ] && grep -qF "\"$1\": $2" err.txt ||
        fail "$1: status $rc: $(head -c 300 err.txt)"
    cmp -s p.sgp keep.sgp || fail "$1: project changed"
}
refused laughs.lss 'declares a document type (DTD)'
refused beyond.json 'segment 1 "Boss": time "1193:02:47.296" is beyond 1193:02:47.295'
refused big.lss 'larger than 64 MiB'
refused fifo.json 'not a regular file'
refused missing.json 'No such file or directory'
refused castle.txt 'not a split file (.lss, .json or .splits)'
[ -z "$(ls | grep '\.sgp\.')" ] || fail "temporary file left: $(ls)"

run export-csv p.sgp --sheet 2
[ "$rc" -eq 1 ] && grep -q 'there is no sheet 2' err.txt && [ ! -s out.bin ] ||
    fail "export-csv of a missing sheet: status $rc, $(cat err.txt)"

# ---- bad arguments: status 2, nothing written ----
for args in "x.lss -o x.sgp --timing wall" "x.lss -o x.sgp --format 9" "-o x.sgp"; do
    run import-splits $args # split on purpose
    [ "$rc" -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] && [ ! -e x.sgp ] || fail "import-splits $args"
done

[ "$status" -eq 0 ] && echo "splits cli: all passed"
exit "$status"
