#!/usr/bin/env bash
# Ends nelowav with SIGINT, SIGTERM and SIGHUP while it holds a working copy and a clip: in a
# pause, in a play or record that it waits for, and while it waits for the next line of a piped
# script. Each ends it at once, with 128 + the signal's number as shells report it, and leaves
# no temporary file behind.
set -euo pipefail
nelowav=${1:?usage: signal_e2e.sh NELOWAV REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
# shellcheck source=../../support/signal_ending.sh
source "$(dirname "$0")/../../support/signal_ending.sh"
signal_ending_start
sox -n -r 8000 -b 16 -c 1 in.wav synth 60 sine 440
printf 'Open in.wav\nCopy 0 99\n' >start.nw
{ cat start.nw; echo 'sleep 5000'; } >hold.nw
{ cat start.nw; echo 'Play 0 480000 1'; } >play.nw
{ cat start.nw; echo 'Record 0 2147483647 1'; } >record.nw

# wait_for_clip CASE: waits until the script has made its clip, then a little longer, so that
# the signal usually finds the step after it under way.
wait_for_clip() {
    for _ in $(seq 200); do
        grep -q '^Copy' "out.$1" 2>/dev/null && break
        sleep 0.05
    done
    grep -q '^Copy -> - \[code 0\]$' "out.$1" || fail "$1: no clip made: $(cat "out.$1" "err.$1")"
    [[ -n $(compgen -G 'temp/wav*') && -n $(compgen -G 'temp/clp*') ]] ||
        fail "$1: expected a working copy and a clip, found: $(ls temp)"
    sleep 0.3
}

# run_case CASE SCRIPT SIGNAL LIMIT_MS: the shell opens the output files only after the
# background start has returned, so each case has files of its own.
run_case() {
    "$nelowav" "$2" >"out.$1" 2>"err.$1" &
    pid=$!
    wait_for_clip "$1"
    end_with "$3" "$4" "err.$1"
    [[ ! -s err.$1 ]] || fail "$1: unexpected error output: $(cat "err.$1")"
}

for signal in INT TERM HUP; do
    # Well before the script's sleep of 5 s would have run out.
    run_case "hold-$signal" hold.nw "$signal" 4000
    # The wait breaks off with the device's answer for a broken wait; the minute of sound is
    # not played out.
    run_case "play-$signal" play.nw "$signal" 2000
    grep -q '^Play -> - \[code 288\]$' "out.play-$signal" ||
        fail "play-$signal: $(cat "out.play-$signal")"
done
run_case record record.nw TERM 2000
grep -q '^Record -> - \[code 288\]$' out.record || fail "record: $(cat out.record)"

# A script typed line by line: the signal comes while nelowav waits for the next line.
mkfifo script.fifo
exec 3<>script.fifo
"$nelowav" <script.fifo >out.piped 2>err.piped &
pid=$!
cat start.nw >&3
wait_for_clip piped
end_with HUP 2000 err.piped
exec 3>&-
echo "PASS"
