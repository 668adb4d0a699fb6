#!/usr/bin/env bash
# Times whole nelowav runs (open, one edit, save) against sox doing the same edit and against a
# plain cp, all on the same 600-second stereo 16-bit 44.1 kHz file in one run; prints one row per
# edit with the best of RUNS wall-clock times, the ratios, and nelowav's peak resident memory
# against the file's size; then FindHeaderSize on a file without a data tag.
# Usage: edit_vs_sox.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?usage: edit_vs_sox.sh BUILD_DIR [RUNS]}")
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
"$build/bin/regsvr" "$build/bin/libnelowav.so" >/dev/null
sox -n -r 44100 -b 16 -c 2 in.wav synth 600 sine 440 vol 0.5
file_bytes=$(stat -c %s in.wav)
printf 'Open edit.wav\nChangeVolume 0 -1 0.5\nSave\n' >volume.nw
printf 'Open edit.wav\nCopy 4410000 4454099\nPaste 13230000 13230000\nSave\n' >paste.nw
printf 'Open edit.wav\nSetSamplingRate 22050\nSave\n' >rate.nw

# The best of $runs as "seconds kilobytes", each run on a fresh copy with the disk settled first.
best() {
    local fastest=""
    for _ in $(seq "$runs"); do
        cp in.wav edit.wav
        sync
        /usr/bin/time -f '%e %M' -o t.txt "$@" >/dev/null 2>&1
        read -r seconds kb <t.txt
        if [[ -z $fastest ]] || awk -v a="$seconds" -v b="${fastest%% *}" 'BEGIN { exit !(a < b) }'; then
            fastest="$seconds $kb"
        fi
    done
    echo "$fastest"
}

read -r cp_seconds _ < <(best cp in.wav out.wav)
printf '%-16s %9s %7s %6s %8s %7s %13s %9s\n' \
    "edit" "nelowav s" "sox s" "cp s" "÷ sox" "÷ cp" "peak RSS MB" "÷ file"
row() {
    local name=$1 script=$2
    shift 2
    local seconds kb sox_seconds
    read -r seconds kb < <(best "$build/bin/nelowav" "$script")
    read -r sox_seconds _ < <(best "$@")
    awk -v n="$name" -v s="$seconds" -v x="$sox_seconds" -v c="$cp_seconds" -v k="$kb" \
        -v f="$file_bytes" 'BEGIN {
            printf "%-16s %9.2f %7.2f %6.2f %8.2f %7.1f %13.1f %9.2f\n",
                   n, s, x, c, s / x, (c > 0 ? s / c : 0), k / 1024, k * 1024 / f
        }'
}
row "ChangeVolume" volume.nw sox -D in.wav out.wav vol 0.5
row "Copy+Paste" paste.nw sox -D in.wav out.wav splice 300
row "SetSamplingRate" rate.nw sox -r 22050 in.wav out.wav
echo "file: $file_bytes bytes"

"$build/bin/find_header_size_bench" --benchmark_format=csv 2>/dev/null |
    awk -F, '/FindHeaderSizeWithoutTag/ { printf "FindHeaderSize without a data tag: %.1f %s\n", $3, $5 }'
