#!/bin/bash
# Other programs read the running window's sheet: --get once, --watch after
# every change, and a reader that stops reading never holds the window up.
# Usage: watch_test.sh PATH/TO/segmark
set -u
SEGMARK=${1:?usage: watch_test.sh PATH/TO/segmark}
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/run" SEGMARK_ENV_DIR="$work/env" SEGMARK_STATE_DIR="$work/state" QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$SEGMARK_ENV_DIR"
pids=()
trap 'exec 3>&- 2>/dev/null; for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait; rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
cd "$work" || exit 1

for args in --get "--get --format json" --watch; do
    # shellcheck disable=SC2086
    "$SEGMARK" $args >out 2>err
    rc=$?
    [ "$rc" -eq 1 ] && [ "$(wc -l <err)" -eq 1 ] && [ ! -s out ] ||
        fail "$args without a window: status $rc, stderr $(cat err)"
done

# A sheet large enough that one state fills a pipe and a socket buffer.
{
    printf 'Start 1:00 1:10\n'
    for i in $(seq 3000); do printf 'Stage%d 2:00 2:10\n' "$i"; done
} >run.txt
"$SEGMARK" import-text run.txt -o run.sgp || fail "import-text"
"$SEGMARK" "$work/run.sgp" >/dev/null 2>&1 &
window=$!
pids+=("$window")
for _ in $(seq 50); do
    [ -S "$XDG_RUNTIME_DIR/segmark-$(id -u).socket" ] && break
    sleep 0.1
done

"$SEGMARK" --get >got.txt || fail "--get: status $?"
"$SEGMARK" export-text run.sgp >exported.txt
cmp -s got.txt exported.txt || fail "--get differs from export-text"
"$SEGMARK" --get --format json >got.json || fail "--get --format json: status $?"
[ "$(wc -l <got.json)" -eq 1 ] || fail "--get --format json: not one line"
grep -q "^{\"file\":\"$work/run.sgp\",\"sheet\":\"run\",\"sheet_index\":0," got.json ||
    fail "--get --format json: $(head -c 200 got.json)"

# A watcher whose output pipe is never read (this shell holds its only
# reading end), and one that is.
mkfifo stalled
exec 3<>stalled
"$SEGMARK" --watch >stalled 2>/dev/null 3>&- &
stalled=$!
pids+=("$stalled")
"$SEGMARK" --watch >watch.out 2>watch.err 3>&- &
watcher=$!
pids+=("$watcher")
for _ in $(seq 50); do
    [ -s watch.out ] && break
    sleep 0.1
done
[ "$(wc -l <watch.out)" -ge 1 ] || fail "--watch printed nothing at start"

# Clear Now puts the current cell on Now, row 0; each input then settles a
# row. Every answer comes within the sender's own 2-second limit, however
# full the stalled watcher's pipe is.
"$SEGMARK" --clear-now || fail "--clear-now: status $?"
for t in 1:05 2:20 3:30 4:40 5:50; do
: >err
    "$SEGMARK" --cell-input "$t" 2>err || fail "--cell-input $t: status $? ($(cat err))"
    sleep 0.1 # apart, so that each change is a state of its own
done
for _ in $(seq 50); do
    grep -q '"now":"0:05:50"' watch.out && break
    sleep 0.1
done
tail -n 1 watch.out | grep -q '"cell":{"col":2,"row":5}.*"title":"Stage4","best":"2:00","now":"0:05:50","split":"+3:50","interval":"01:10","result":"behind"' ||
    fail "--watch's last line: $(tail -n 1 watch.out | head -c 300)"
lines=$(wc -l <watch.out)
[ "$lines" -ge 2 ] && [ "$lines" -le 7 ] || fail "--watch printed $lines lines for 6 changes"

# The stalled watcher, read at last, gets the latest state after what its
# pipe and socket held, not every state in between.
timeout 2 cat <&3 >stalled.out
tail -n 1 stalled.out | grep -q '"now":"0:05:50"' || fail "the stalled --watch missed the latest state"
lines=$(wc -l <stalled.out)
[ "$lines" -le 4 ] || fail "the stalled --watch got a backlog of $lines lines"

# A closed output ends a watch quietly, without waiting for a change.
timeout 10 "$SEGMARK" --watch 2>head.err 3>&- | head -n 1 >/dev/null 3>&-
rc=${PIPESTATUS[0]}
[ "$rc" -eq 0 ] && [ ! -s head.err ] || fail "--watch into a closed pipe: status $rc, $(cat head.err)"

kill "$window"
wait "$window" 2>/dev/null
wait "$watcher"
rc=$?
[ "$rc" -eq 0 ] || fail "--watch after the window ended: status $rc"
[ ! -s watch.err ] || fail "--watch wrote $(cat watch.err)"
exec 3>&-
wait "$stalled"
rc=$?
[ "$rc" -eq 0 ] || fail "the stalled --watch: status $rc"
exit $status
