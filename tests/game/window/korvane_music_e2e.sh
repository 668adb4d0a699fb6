#!/usr/bin/env bash
# Starts the real korvane under an X server of its own with a PulseAudio null sink, records
# the sink and proves that the music comes out and goes on past the end of Music.wav.
set -euo pipefail

korvane=${1:?usage: korvane_music_e2e.sh KORVANE REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
work=$(mktemp -d)
# shellcheck source=../../support/pulse_null_sink.sh
source "$(dirname "$0")/../../support/pulse_null_sink.sh"
# shellcheck source=../../support/xvfb_display.sh
source "$(dirname "$0")/../../support/xvfb_display.sh"
korvane_pid=''
cleanup() {
    [[ -n $korvane_pid ]] && kill "$korvane_pid" 2>/dev/null
    xvfb_stop
    pulse_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    grep 'mci:' "$work/korvane.log" 2>/dev/null | tail -20
    exit 1
}

export KORVANE_COM_REGISTRY="$work/com-registry"
QT_QPA_PLATFORM=offscreen "$regsvr" "$module" >/dev/null
pulse_start || fail "no sound server"
xvfb_start || fail "no X server"
export KORVANE_TRACE=mci

music_seconds=$(soxi -D "$(dirname "$(realpath "$korvane")")/Music.wav")
pulse_record "$work/heard.wav"
"$korvane" >"$work/korvane.log" 2>&1 &
korvane_pid=$!
sleep "$(awk -v s="$music_seconds" 'BEGIN { print s + 3 }')"
pulse_record_stop

read -r seconds rms < <(sound_span "$work/heard.wav")
echo "heard $seconds s at $rms dB RMS of a $music_seconds s loop"
awk -v s="$seconds" -v m="$music_seconds" 'BEGIN { exit !(s > m + 1) }' ||
    fail "heard $seconds s: the music did not go on past its end"
awk -v r="$rms" 'BEGIN { exit !(r > -30) }' || fail "the music is too quiet: $rms dB RMS"
grep -q '"seek 1 to 0 wait" -> 0' "$work/korvane.log" || fail "the music was never rewound"
