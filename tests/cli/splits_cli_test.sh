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
name_at() { dd if=p.sgp bs=1 skip="$1" count=9 status=none | tr -d '\0'; }
[ "$(name_at 4)" = marathon ] && [ "$(name_at 637)" = castle ] ||
    fail "sheet names: $(name_at 4), $(name_at 637)"

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
    $'No PB yet\t\t\t\t' $'Final <boss> & ending\t25:00:00\t\t\t'

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

# ---- refusals: status 1, one line naming the file, no project written ----
lss() { printf '<Run><Segments><Segment><Name>%s</Name>%s</Segment></Segments></Run>' "$1" "$2"; }
lss "Boss" '<SplitTimes><SplitTime name="Personal Best"><RealTime>49.17:02:47.2960000</RealTime></SplitTime></SplitTimes>' >beyond.lss
lss "Boss" '<SplitTimes><SplitTime name="Personal Best"><RealTime>1e999</RealTime></SplitTime></SplitTimes>' >huge.lss
printf '<?xml version="1.0"?><!DOCTYPE Run [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]><Run><Segments><Segment><Name>&c;</Name></Segment></Segments></Run>' >laughs.lss
printf '<!DOCTYPE Run [<!ENTITY x SYSTEM "file:///etc/passwd">]><Run><Segments><Segment><Name>&x;</Name></Segment></Segments></Run>' >external.lss
head -c 300 marathon.lss >truncated.lss
head -c 200 castle.json >truncated.json
head -c 1000000 /dev/zero | tr '\0' '[' >deep.json
printf '{"splits":[{"title":"A","time":"1:00","best_time":1e999}]}' >number.json
truncate -s 100M big.lss
ln -s /dev/zero zero.lss
mkfifo fifo.json
mkdir folder.lss
cp p.sgp keep.sgp
refused() { # FILE MESSAGE
    run import-splits marathon.lss "$1" -o keep.sgp
    [ "$rc" -eq 1 ] || fail "$1: status $rc"
    [ "$(wc -l <err.txt)" -eq 1 ] && grep -qF "\"$1\": $2" err.txt ||
        fail "$1: stderr: $(head -c 300 err.txt)"
    cmp -s p.sgp keep.sgp || fail "$1: project changed"
}
refused beyond.lss 'segment 1 "Boss": time "49.17:02:47.2960000" is beyond 1193:02:47.295'
refused huge.lss 'segment 1 "Boss": "1e999" is not a time'
refused laughs.lss 'declares a document type (DTD)'
refused external.lss 'declares a document type (DTD)'
refused truncated.lss 'not well-formed XML'
refused truncated.json 'not valid JSON: parse error'
refused deep.json 'nested deeper than 64 levels'
refused number.json 'not valid JSON: number overflow'
refused big.lss 'larger than 64 MiB'
refused zero.lss 'not a regular file'
refused fifo.json 'not a regular file'
refused folder.lss 'not a regular file'
refused missing.json 'No such file or directory'
refused castle.txt 'not a split file (.lss or .json)'
[ -z "$(ls | grep '\.sgp\.')" ] || fail "temporary file left: $(ls)"

run export-csv p.sgp --sheet 2
[ "$rc" -eq 1 ] && grep -q 'there is no sheet 2' err.txt && [ ! -s out.bin ] ||
    fail "export-csv of a missing sheet: status $rc, $(cat err.txt)"

# ---- bad arguments: status 2 ----
for args in "marathon.lss" "-o x.sgp" "marathon.lss -o x.sgp --timing wall" \
    "marathon.lss -o x.sgp --format 9" "marathon.lss -o x.sgp --format" \
    "marathon.lss -o x.sgp --timing real --timing game"; do
    # shellcheck disable=SC2086
    run import-splits $args
    [ "$rc" -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] || fail "import-splits $args: status $rc"
done
[ ! -e x.sgp ] || fail "bad arguments wrote a project"
for args in "" "p.sgp p.sgp" "p.sgp --sheet x" "p.sgp --all"; do
    # shellcheck disable=SC2086
    run export-csv $args
    [ "$rc" -eq 2 ] && [ ! -s out.bin ] || fail "export-csv $args: status $rc"
done

[ "$status" -eq 0 ] && echo "splits cli: all passed"
exit "$status"
