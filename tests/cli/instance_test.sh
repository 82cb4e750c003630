#!/bin/bash
# One window per user: a later start hands its command to the running window
# (offscreen) and ends; without a window the remote commands fail cleanly.
# Usage: instance_test.sh PATH/TO/segmark
set -u
SEGMARK=${1:?usage: instance_test.sh PATH/TO/segmark}
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/run" SEGMARK_ENV_DIR="$work/env" SEGMARK_STATE_DIR="$work/state" QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$SEGMARK_ENV_DIR"
window=
trap '[ -n "$window" ] && kill "$window" 2>/dev/null; wait; rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
expect() { # expect STATUS ARGS...
    local want=$1
    shift
    "$SEGMARK" "$@" >"$work/out" 2>"$work/err"
    local rc=$?
    [ "$rc" -eq "$want" ] || fail "segmark $*: status $rc, wanted $want ($(cat "$work/err"))"
}

expect 1 --clear-now
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "--clear-now without a window: one line on stderr"
expect 2 frobnicate
expect 0 --version
grep -qx 'Segmark 1.7.0' "$work/out" || fail "--version printed $(cat "$work/out")"
expect 0 --help
grep -q -- '--cell-input' "$work/out" || fail "--help lacks the remote commands"

"$SEGMARK" >/dev/null 2>&1 &
window=$!
for _ in $(seq 50); do
    [ -S "$XDG_RUNTIME_DIR/segmark-$(id -u).socket" ] && break
    sleep 0.1
done
expect 0 --cell-input '1:23' --moves -1
expect 0 --clear-now
expect 0 # a second plain start ends at once
kill -0 "$window" 2>/dev/null || fail "the first window ended"
kill "$window"
wait "$window" 2>/dev/null
window=
# A lock left by a window that was killed is taken over.
expect 1 --clear-now
exit $status
