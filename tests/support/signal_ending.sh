# shellcheck shell=bash
# Sourced by the end-to-end tests that end a program with a signal: a private folder with its
# own temporary folder and registry, and the check that a signal ends the program at once.
# Sourcing defines functions only; signal_ending_start sets everything up.

# signal_ending_start: needs $regsvr and $module; sets $work, removed on exit with the program
# of $pid killed, and fail(); cds into $work and registers the module in its registry.
signal_ending_start() {
    # Job control, so that programs started in the background keep SIGINT as they would from a
    # terminal or a desktop: without it the shell starts them with SIGINT ignored.
    set -m
    work=$(mktemp -d)
    pid=''
    trap signal_ending_cleanup EXIT
    cd "$work" || return
    mkdir temp
    mkdir -m 700 runtime
    export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen TMPDIR="$work/temp"
    export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
    "$regsvr" "$module" >/dev/null
}

signal_ending_cleanup() {
    [[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*"
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# end_with SIGNAL LIMIT_MS LOG: sends SIGNAL to $pid and fails unless the program ends within
# LIMIT_MS with 128 + the signal's number, as shells report it, leaving no temporary file.
end_with() {
    local signal=$1 limit=$2 log=$3 sent status=0 took expected
    sent=$(now_ms)
    kill -s "$signal" "$pid"
    wait "$pid" || status=$?
    pid=''
    took=$(($(now_ms) - sent))
    expected=$((128 + $(kill -l "$signal")))
    ((status == expected)) || fail "SIG$signal: status $status, not $expected: $(cat "$log")"
    ((took < limit)) || fail "SIG$signal: the program took $took ms to end"
    [[ -z $(ls temp) ]] || fail "SIG$signal left temporary files behind: $(ls temp)"
}
