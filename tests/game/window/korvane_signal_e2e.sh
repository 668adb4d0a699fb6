#!/usr/bin/env bash
# Ends korvane with SIGTERM and SIGHUP, as a desktop log-out does, while its music plays: each
# ends it at once with 128 + the signal's number, after it has released the music's control.
set -euo pipefail
korvane=${1:?usage: korvane_signal_e2e.sh KORVANE REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
# shellcheck source=../../support/signal_ending.sh
source "$(dirname "$0")/../../support/signal_ending.sh"
signal_ending_start
export KORVANE_TRACE=mci

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
    end_with "$signal" 3000 "$log"
    # Releasing the control closes its session, which the game itself never does.
    grep -q '"close 1 wait"' "$log" || fail "SIG$signal: the music's control was not released"
done
echo "PASS"
