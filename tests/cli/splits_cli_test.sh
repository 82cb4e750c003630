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
export SEGMARK_ENV_DIR="$work/env" SEGMARK_STATE_DIR="$work/state"
mkdir -p "$SEGMARK_ENV_DIR"
cp "$DATA/marathon.lss" "$DATA/castle.json" .
cp -r "$DATA/layouts" .
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
# The display formats at both ends are taken.
for n in 0 8; do
    run import-splits marathon.lss -o "f$n.sgp" --format "$n"
    [ "$rc" -eq 0 ] && [ -s "f$n.sgp" ] || fail "import-splits --format $n: status $rc, $(cat err.txt)"
done

# ---- every layout other timers wrote, read back as CSV ----
expect_ok "import-splits layouts" import-splits layouts/v1.0.lss layouts/v1.3.lss \
    layouts/v1.8.lss layouts/libresplit.json layouts/exchange.splits -o layouts.sgp --format 6
csv_of() { # SHEET LINE...: the whole CSV of that sheet of layouts.sgp
    expect_ok "export-csv layouts $1" export-csv layouts.sgp --sheet "$1"
    expect_out "layouts sheet $1" 'Segment,Best,Now,Split,Interval' "${@:2}"
}
csv_of 0 '階段,"0:09""387",,,' 'Roof,,,,' 'Bell & rope,"0:30""100",,,'
csv_of 1 'Rapids,"1:39""390",,,' 'Falls,,,,' 'Delta,"4:00""050",,,'
csv_of 2 'Seed 1,"0:35""100",,,' 'Seed 2,,,,' '"""Last"" <seed>","3064:05""678",,,'
csv_of 3 '入口,"0:42""500",,,' 'Pool,"12:00""000",,,' 'Exit,"65:00""123",,,'
csv_of 4 'Gate,"1:01""000",,,' 'Maze,,,,' 'Tower,,,,' 'Top,"71582:47""295",,,'

# A file read whole without any time: imported, and said so in one line.
run import-splits layouts/v1.8.lss -o none.sgp --timing game --format 6
[ "$rc" -eq 0 ] && [ -s none.sgp ] && [ ! -s err.txt ] || fail "game time of v1.8: status $rc"
printf '<Run version="1.8.0"><Segments><Segment><Name>A</Name></Segment></Segments></Run>' >nopb.lss
run import-splits nopb.lss castle.json -o none.sgp
[ "$rc" -eq 0 ] && [ "$(cat err.txt)" = 'segmark import-splits: "nopb.lss": no segment has a personal-best real time; its Best column is empty' ] ||
    fail "no times: status $rc: $(cat err.txt)"

# ---- export-splits: each format whole, and imported again ----
expect_ok "export .lss" export-splits p.sgp -o back.lss --game 'Marathon Quest'
cmp -s back.lss "$DATA/export/marathon.lss" || fail "exported .lss: $(diff back.lss "$DATA/export/marathon.lss" | head)"
expect_ok "export .json" export-splits p.sgp --sheet 1 -o back.json --category 'Any% <NG+>'
cmp -s back.json "$DATA/export/castle.json" || fail "exported .json: $(diff back.json "$DATA/export/castle.json" | head)"
expect_ok "export --as splitsio" export-splits p.sgp -o back.exchange --as splitsio \
    --game 'Marathon Quest' --category 'Any%'
cmp -s back.exchange "$DATA/export/marathon.splits" || fail "exported .splits: $(diff back.exchange "$DATA/export/marathon.splits" | head)"
cp back.exchange back.splits
expect_ok "import the exports" import-splits back.lss back.json back.splits -o back.sgp --format 6
for pair in "0 0" "1 1" "0 2"; do
    set -- $pair
    expect_ok "csv $1" export-csv p.sgp --sheet "$1"
    mv out.bin want.bin
    expect_ok "csv back $2" export-csv back.sgp --sheet "$2"
    cmp -s out.bin want.bin || fail "sheet $1 came back as $(cat -A out.bin)"
done

# Refused: the project as output (also through links), a name of no known
# format, a missing sheet, a folder; nothing is written, the project stays.
cp p.sgp keep.sgp
ln -s p.sgp link.lss
ln p.sgp hard.json
export_refused() { # STATUS MESSAGE ARGS...
    run export-splits "${@:3}"
    [ "$rc" -eq "$1" ] && [ "$(wc -l <err.txt)" -eq 1 ] && grep -qF -- "$2" err.txt ||
        fail "export-splits ${*:3}: status $rc: $(cat err.txt)"
    cmp -s p.sgp keep.sgp || fail "export-splits ${*:3}: project changed"
}
export_refused 2 'the output "link.lss" is the project "p.sgp"' p.sgp -o link.lss
export_refused 2 'the output "hard.json" is the project "p.sgp"' p.sgp -o hard.json
export_refused 2 'the output "p.sgp" is the project "p.sgp"' p.sgp -o p.sgp --as splitsio
export_refused 2 'ends in none of .lss, .json and .splits' p.sgp -o new.txt
export_refused 2 '--as needs splitsio' p.sgp -o new.lss --as urn
export_refused 2 'export-splits needs -o FILE' p.sgp --game G
export_refused 2 '--game given twice' p.sgp -o new.lss --game G --game H
export_refused 1 'there is no sheet 5' p.sgp --sheet 5 -o new.lss
mkdir folder.lss
export_refused 1 '"folder.lss" is a folder' p.sgp -o folder.lss
export_refused 1 'No such project file "nothing.sgp"' nothing.sgp -o new.lss
[ ! -e new.lss ] && [ ! -e new.txt ] || fail "a refused export wrote a file"
[ -z "$(ls -a | grep -E '\.(lss|json|splits)\.')" ] || fail "temporary file left: $(ls -a)"

[ "$status" -eq 0 ] && echo "splits cli: all passed"
exit "$status"
