#!/usr/bin/env bash
# Times what a short nelowav run costs beside its peers, side by side in one run: nelowav with a
# one-call script (the control is created) against a program that only starts Qt's core
# application, and ChangeVolume + Save on a 5-second stereo file against sox doing the same.
# Runs alternate between the two sides, so a busy moment hits both; prints the best and the
# median of RUNS in milliseconds and the ratios of the bests.
# Usage: nelowav_start.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?usage: nelowav_start.sh BUILD_DIR [RUNS]}")
runs=${2:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
"$build/bin/regsvr" "$build/bin/libnelowav.so" >/dev/null
sox -n -r 44100 -b 16 -c 2 small.wav synth 5 sine 440 vol 0.5
printf 'GetErrorCode\n' >one.nw
printf 'Open edit.wav\nChangeVolume 0 -1 0.5\nSave\n' >volume.nw

# Milliseconds of one run of the command, its output dropped.
elapsed_ms() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# Alternating runs of two commands separated by "::"; prints "best median best median" in ms.
side_by_side() {
    local -a first=() second=()
    while [[ $1 != "::" ]]; do first+=("$1"); shift; done
    shift
    second=("$@")
    : >a.txt
    : >b.txt
    for _ in $(seq "$runs"); do
        cp small.wav edit.wav
        elapsed_ms "${first[@]}" >>a.txt
        cp small.wav edit.wav
        elapsed_ms "${second[@]}" >>b.txt
    done
    for file in a.txt b.txt; do
        sort -n "$file" | awk '{ v[NR] = $1 } END { printf "%.1f %.1f ", v[1] / 1000, v[int((NR + 1) / 2)] / 1000 }'
    done
    echo
}

printf '%-30s %8s %8s %10s %8s %8s %9s\n' "run" "best ms" "median" "peer" "best ms" "median" "÷ peer"
row() {
    local name=$1 peer=$2
    shift 2
    read -r best median peer_best peer_median < <(side_by_side "$@")
    awk -v n="$name" -v p="$peer" -v b="$best" -v m="$median" -v pb="$peer_best" \
        -v pm="$peer_median" 'BEGIN {
            printf "%-30s %8.1f %8.1f %10s %8.1f %8.1f %9.2f\n", n, b, m, p, pb, pm, b / pb
        }'
}
row "nelowav GetErrorCode" "Qt core" "$build/bin/nelowav" one.nw :: "$build/bin/core_application_start"
row "ChangeVolume+Save, 5 s" "sox -D" "$build/bin/nelowav" volume.nw :: sox -D small.wav out.wav vol 0.5
uptime
