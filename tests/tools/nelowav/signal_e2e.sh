#!/usr/bin/env bash
# Ends nelowav with SIGINT, SIGTERM and SIGHUP while it holds a working copy and a clip: each
# ends it at once, with 128 + the signal's number as shells report it, and leaves no temporary
# file behind.
set -euo pipefail
nelowav=${1:?usage: signal_e2e.sh NELOWAV REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
# shellcheck source=../../support/signal_ending.sh
source "$(dirname "$0")/../../support/signal_ending.sh"
sox -n -r 8000 -b 16 -c 1 in.wav synth 1 sine 440
printf 'Open in.wav\nCopy 0 99\nsleep 5000\n' >hold.nw

for signal in INT TERM HUP; do
    # Files of their own: the shell opens them only after the background start has returned.
    out=out.$signal.txt err=err.$signal.txt
    "$nelowav" hold.nw >"$out" 2>"$err" &
    pid=$!
    for _ in $(seq 200); do
        grep -q '^Copy' "$out" 2>/dev/null && break
        sleep 0.05
    done
    grep -q '^Copy -> - \[code 0\]$' "$out" || fail "SIG$signal: no clip made: $(cat "$out" "$err")"
    [[ -n $(compgen -G 'temp/wav*') && -n $(compgen -G 'temp/clp*') ]] ||
        fail "SIG$signal: expected a working copy and a clip, found: $(ls temp)"
    # Well before the script's sleep of 5 s would have run out.
    end_with "$signal" 4000 "$err"
    [[ ! -s $err ]] || fail "SIG$signal: unexpected error output: $(cat "$err")"
done
echo "PASS"
