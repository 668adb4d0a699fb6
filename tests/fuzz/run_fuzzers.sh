#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build on a copy of its corpus for a bounded time, two at a
# time. Any crash, leak, hang (one input running past the timeout), out-of-memory or sanitizer
# report fails the run, with the target's log shown.
# Usage: run_fuzzers.sh BUILD_DIR [SECONDS_EACH [TARGET...]]
# Without TARGETs it runs every target the build lists in bin/fuzz_targets.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:?usage: run_fuzzers.sh BUILD_DIR [SECONDS_EACH [TARGET...]]}" && pwd)/bin
seconds=${2:-45}
if (($# > 2)); then
    targets=("${@:3}")
else
    [[ -s $bin/fuzz_targets ]] || { echo "no fuzz targets listed in $bin/fuzz_targets: configure a fuzz build" >&2; exit 1; }
    mapfile -t targets <"$bin/fuzz_targets"
fi

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
