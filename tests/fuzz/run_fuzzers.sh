#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build on a copy of its corpus for a bounded time, two at a
# time. Any crash, leak, hang (one input running past the timeout), out-of-memory or sanitizer
# report fails the run, with the target's log shown.
# Usage: run_fuzzers.sh BUILD_DIR [SECONDS_EACH [TARGET...]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)/bin
seconds=${2:-45}
targets=(control_invoke mci_command registry_text type_library script_line wave_reader
         find_header_size)
(($# > 2)) && targets=("${@:3}")

# Memory-backed when possible: the control syncs every working copy it writes to disk.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-fuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run() {
    local target=$1 options=()
    # New inputs land in the copy, never in the repository.
    mkdir "$work/$target"
    cp "$here/corpus/$target"/* "$work/$target/"
    [[ -f $here/$target.dict ]] && options+=("-dict=$here/$target.dict")
    if "$bin/${target}_fuzz" "${options[@]}" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$work/$target-" "$work/$target" \
        >"$work/$target.log" 2>&1; then
        echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$target.log" | tail -1)"
    else
        echo "$target: FAILED"
        tail -60 "$work/$target.log"
        return 1
    fi
}

status=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
    pids=()
    run "${targets[i]}" &
    pids+=($!)
    if ((i + 1 < ${#targets[@]})); then
        run "${targets[i + 1]}" &
        pids+=($!)
    fi
    for pid in "${pids[@]}"; do
        wait "$pid" || status=1
    done
done
exit $status
