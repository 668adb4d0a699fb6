#!/usr/bin/env bash
# Times whole nelowav runs (open, one edit, save) against sox doing the same edit on the same
# 600-second stereo 16-bit 44.1 kHz file, and against a plain cp of it; prints a table of
# seconds and peak resident memory. Usage: edit_vs_sox.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?usage: edit_vs_sox.sh BUILD_DIR [RUNS]}")
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
"$build/bin/regsvr" "$build/bin/libnelowav.so" >/dev/null
sox -n -r 44100 -b 16 -c 2 in.wav synth 600 sine 440 vol 0.5
printf 'Open edit.wav\nChangeVolume 0 -1 0.5\nSave\n' >volume.nw
printf 'Open edit.wav\nCopy 4410000 4454099\nPaste 13230000 13230000\nSave\n' >paste.nw
printf 'Open edit.wav\nSetSamplingRate 22050\nSave\n' >rate.nw

# best of $runs: "seconds kilobytes"
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

printf '%-28s %8s %10s\n' "command" "seconds" "peak MB"
row() {
    local name=$1
    shift
    read -r seconds kb < <(best "$@")
    printf '%-28s %8s %10.1f\n' "$name" "$seconds" "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')"
}
row "cp" cp in.wav out.wav
row "nelowav ChangeVolume" "$build/bin/nelowav" volume.nw
row "sox vol 0.5" sox -D in.wav out.wav vol 0.5
row "nelowav Copy+Paste" "$build/bin/nelowav" paste.nw
row "sox splice" sox -D in.wav out.wav splice 300
row "nelowav SetSamplingRate" "$build/bin/nelowav" rate.nw
row "sox -r 22050" sox in.wav -r 22050 out.wav
echo "file: $(stat -c %s in.wav) bytes"
