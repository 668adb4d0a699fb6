#!/usr/bin/env bash
# Ends korvane with SIGTERM and SIGHUP, as a desktop log-out does, while its music plays: each
# ends it at once with 128 + the signal's number, after it has released the music's control.
set -euo pipefail
# Job control, so that signals reach the program started in the background as they would from
# a desktop.
set -m

korvane=${1:?usage: korvane_signal_e2e.sh KORVANE REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
work=$(mktemp -d)
pid=''
cleanup() {
    [[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

cd "$work"
mkdir temp
mkdir -m 700 runtime
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen TMPDIR="$work/temp"
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy KORVANE_TRACE=mci
"$regsvr" "$module" >/dev/null

for signal in TERM HUP; do
    log=korvane.$signal.log
    "$korvane" >"$log" 2>&1 &
    pid=$!
    # The music starts once the splash has handed over to the main window.
    for _ in $(seq 200); do
        grep -q '"play 1 ' "$log" 2>/dev/null && break
        sleep 0.05
    done
    grep -q '"play 1 .*" -> 0 ' "$log" || fail "SIG$signal: the music never played: $(cat "$log")"
    sent=$(now_ms)
    kill -s "$signal" "$pid"
    status=0
    wait "$pid" || status=$?
    pid=''
    took=$(($(now_ms) - sent))
    expected=$((128 + $(kill -l "$signal")))
    ((status == expected)) || fail "SIG$signal: status $status, not $expected: $(cat "$log")"
    ((took < 3000)) || fail "SIG$signal: korvane took $took ms to end"
    # Releasing the control closes its session, which the game itself never does.
    grep -q '"close 1 wait"' "$log" || fail "SIG$signal: the music's control was not released"
    [[ -z $(ls temp) ]] || fail "SIG$signal left temporary files behind: $(ls temp)"
done
echo "PASS"
