#!/bin/bash
# Unsaved times survive a killed window: the real window (offscreen) takes
# times from --cell-input and is killed with SIGKILL at random moments; the
# snapshot it leaves holds every time pushed more than a second before the
# kill. SIGTERM ends it with status 0, LapEnv.dat written and the snapshot
# holding every time.
# Usage: recovery_test.sh PATH/TO/segmark [KILLS]
set -u
SEGMARK=${1:?usage: recovery_test.sh PATH/TO/segmark [KILLS]}
KILLS=${2:-20}
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/run" SEGMARK_ENV_DIR="$work/env" SEGMARK_STATE_DIR="$work/state"
export QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$SEGMARK_ENV_DIR"
window=
trap '[ -n "$window" ] && kill -9 "$window" 2>/dev/null; wait; rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
cd "$work" || exit 1
for i in $(seq 60); do printf 'Stage%d 2:00 2:10\n' "$i"; done >run.txt
"$SEGMARK" import-text run.txt -o run.sgp || fail "import-text"
cp run.sgp saved.sgp

start_window() {
    # A killed window leaves its socket file; a client polling before the new
    # window holds the lock would take the lock itself, so wait for the socket.
    rm -f "$XDG_RUNTIME_DIR/segmark-$(id -u).socket"
    "$SEGMARK" "$work/run.sgp" >/dev/null 2>>"$work/window.err" &
    window=$!
    # Up to 20 s: the whole test suite may be running beside it.
    for _ in $(seq 400); do
        [ -S "$XDG_RUNTIME_DIR/segmark-$(id -u).socket" ] && "$SEGMARK" --get >/dev/null 2>&1 && break
        sleep 0.05
    done
    # The current cell on Now, row 0.
    "$SEGMARK" --clear-now 2>err.txt || fail "--clear-now: status $? ($(cat err.txt); window: $(tail -3 "$work/window.err"))"
}

# Times pushed, one per line: "NANOSECONDS TIME".
push_times() { # push_times COUNT
    local n
    for n in $(seq "$1"); do
        local t
        t=$(printf '%d:%02d.%d' $((RANDOM % 9 + 1)) $((RANDOM % 60)) $((RANDOM % 10)))
        "$SEGMARK" --cell-input "$t" 2>/dev/null || break
        echo "$(date +%s%N) $t" >>pushed
        sleep 0.0$((RANDOM % 10))
    done
}

for k in $(seq "$KILLS"); do
    rm -rf "$SEGMARK_STATE_DIR" pushed
    : >pushed
    start_window
    push_times $((RANDOM % 25 + 5)) &
    pusher=$!
    sleep "$((RANDOM % 2)).$((RANDOM % 10))"
    kill -9 "$window"
    killed=$(date +%s%N)
    wait "$window" 2>/dev/null
    window=
    wait "$pusher"
    # Row r holds the r-th time pushed; only those a second old count.
    "$SEGMARK" export-text "$SEGMARK_STATE_DIR/snapshot.sgp" >got.txt 2>/dev/null || : >got.txt
    row=0
    while read -r at t; do
        row=$((row + 1))
        [ $((killed - at)) -gt 1000000000 ] || continue
        got=$(sed -n "${row}p" got.txt | cut -f3)
        [ -n "$got" ] || { fail "kill $k: row $row ($t, pushed $(((killed - at) / 1000000)) ms before) missing"; break; }
    done <pushed
    [ -e "$SEGMARK_STATE_DIR"/snapshot.sgp.tmp ] && fail "kill $k: a temporary file was left"
    cmp -s run.sgp saved.sgp || fail "kill $k: the project file itself was written"
done

# SIGTERM: status 0, LapEnv.dat written, and the snapshot holds every time.
rm -rf "$SEGMARK_STATE_DIR" "$SEGMARK_ENV_DIR"/LapEnv.dat
: >pushed
start_window
push_times 5
kill -TERM "$window"
wait "$window"
rc=$?
window=
[ "$rc" -eq 0 ] || fail "SIGTERM: status $rc"
[ -s "$SEGMARK_ENV_DIR/LapEnv.dat" ] || fail "SIGTERM: LapEnv.dat not written"
"$SEGMARK" export-text "$SEGMARK_STATE_DIR/snapshot.sgp" >got.txt 2>/dev/null || fail "SIGTERM: no snapshot"
[ "$(cut -f3 got.txt | grep -c .)" -eq "$(wc -l <pushed)" ] ||
    fail "SIGTERM: $(cut -f3 got.txt | grep -c .) of $(wc -l <pushed) times in the snapshot"
grep -qx "$work/run.sgp" "$SEGMARK_STATE_DIR/snapshot.rec" || fail "SIGTERM: the record does not name run.sgp"
exit $status
