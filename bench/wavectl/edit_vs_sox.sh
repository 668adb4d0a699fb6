#!/usr/bin/env bash
# Times whole nelowav runs (open, one edit, save) against sox doing the same edit and against a
# plain cp, all on the same 600-second stereo 16-bit 44.1 kHz file in one run; prints one row per
# edit with the best of RUNS wall-clock times, the ratios, and nelowav's peak resident memory
# against the file's size; then FindHeaderSize on a file without a data tag.
# Every timed run must succeed and give the right file (nelowav's codes all 0, its result as long
# as sox's and with the same samples, give or take one step), or no figure is reported: a failed
# edit would otherwise be timed as a fast one. A failure ends the bench with one line on stderr.
# Usage: edit_vs_sox.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?usage: edit_vs_sox.sh BUILD_DIR [RUNS]}")
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
export TMPDIR="$work"

die() {
    echo "edit_vs_sox: $*" >&2
    exit 1
}

"$build/bin/regsvr" "$build/bin/libnelowav.so" >/dev/null
sox -n -r 44100 -b 16 -c 2 in.wav synth 600 sine 440 vol 0.5
file_bytes=$(stat -c %s in.wav)
printf 'Open edit.wav\nChangeVolume 0 -1 0.5\nSave\n' >volume.nw
printf 'Open edit.wav\nCopy 4410000 4454099\nPaste 13230000 13230000\nSave\n' >paste.nw
printf 'Open edit.wav\nSetSamplingRate 22050\nSave\n' >rate.nw

# timed COMMAND...: runs it on a fresh copy with the disk settled first, its time and peak
# memory in t.txt; a failing run ends the bench.
timed() {
    cp in.wav edit.wav
    sync
    /usr/bin/time -f '%e %M' -o t.txt "$@" >run.out 2>run.err ||
        die "$* failed with status $?: $(tr '\n' ' ' <run.err | cut -c1-200)"
}

# nelowav SCRIPT: a run of nelowav whose every call reported code 0.
nelowav() {
    timed "$build/bin/nelowav" "$1"
    if [[ ! -s run.out ]] || grep -qv '\[code 0\]$' run.out; then
        die "nelowav $1 reported: $(grep -v '\[code 0\]$' run.out | head -n1)"
    fi
}

# same_sound EDIT: edit.wav as long as out.wav, at the same rate and with the same channels,
# and no sample more than one step away from sox's.
same_sound() {
    local field
    for field in -s -r -c; do
        [[ $(soxi "$field" edit.wav) == "$(soxi "$field" out.wav)" ]] ||
            die "$1: nelowav's soxi $field $(soxi "$field" edit.wav), sox's $(soxi "$field" out.wav)"
    done
    # The difference of the two, as sox measures its extremes (full scale is 1).
    sox -D -m -v 1 edit.wav -v -1 out.wav -n stat 2>&1 |
        awk '/^(Maximum|Minimum) amplitude/ { v = $3 < 0 ? -$3 : $3; if (v > m) m = v }
             END { exit !(m <= 1.5 / 32768) }' ||
        die "$1: nelowav's samples differ from sox's by more than one step"
}

# best VARIABLE COMMAND...: the best of $runs as "seconds kilobytes" in VARIABLE; after each
# run of nelowav its file is checked against sox's.
best() {
    local -n result=$1
    local seconds kb
    shift
    result=""
    for _ in $(seq "$runs"); do
        "$@"
        [[ $1 != nelowav ]] || same_sound "$2"
        read -r seconds kb <t.txt
        if [[ -z $result ]] || awk -v a="$seconds" -v b="${result%% *}" 'BEGIN { exit !(a < b) }'; then
            result="$seconds $kb"
        fi
    done
}

cp_best=""
best cp_best timed cp in.wav out.wav
printf '%-16s %9s %7s %6s %8s %7s %13s %9s\n' \
    "edit" "nelowav s" "sox s" "cp s" "÷ sox" "÷ cp" "peak RSS MB" "÷ file"
# row NAME SCRIPT SOX-COMMAND...: sox first, so that its file is there to check nelowav's by.
row() {
    local name=$1 script=$2
    shift 2
    local sox_best nelowav_best sox_seconds seconds kb
    best sox_best timed "$@"
    best nelowav_best nelowav "$script"
    read -r sox_seconds _ <<<"$sox_best"
    read -r seconds kb <<<"$nelowav_best"
    awk -v n="$name" -v s="$seconds" -v x="$sox_seconds" -v c="${cp_best%% *}" -v k="$kb" \
        -v f="$file_bytes" 'BEGIN {
            printf "%-16s %9.2f %7.2f %6.2f %8.2f %7.1f %13.1f %9.2f\n",
                   n, s, x, c, (x > 0 ? s / x : 0), (c > 0 ? s / c : 0), k / 1024, k * 1024 / f
        }'
}
row "ChangeVolume" volume.nw sox -D in.wav out.wav vol 0.5
# The same paste in one sox command: the second from 100 s in place of the frame at 300 s.
row "Copy+Paste" paste.nw sox -D "|sox in.wav -p trim 0 13230000s" \
    "|sox in.wav -p trim 4410000s 44100s" "|sox in.wav -p trim 13230001s" out.wav
# The rate given before the input file relabels it, as SetSamplingRate does: no resampling.
row "SetSamplingRate" rate.nw sox -r 22050 in.wav out.wav
echo "file: $file_bytes bytes"

"$build/bin/find_header_size_bench" --benchmark_format=csv 2>/dev/null |
    awk -F, '/FindHeaderSizeWithoutTag/ { printf "FindHeaderSize without a data tag: %.1f %s\n", $3, $5 }'
