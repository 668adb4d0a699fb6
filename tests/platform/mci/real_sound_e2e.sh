#!/usr/bin/env bash
# Plays a known tone through the control with nelowav into a PulseAudio null sink, records
# the sink's monitor and checks that the tone came out whole, at its level, and that Done came.
set -euo pipefail

nelowav=${1:?usage: real_sound_e2e.sh NELOWAV REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
for tool in pulseaudio pactl parecord sox soxi; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

work=$(mktemp -d)
# shellcheck source=../../support/pulse_null_sink.sh
source "$(dirname "$0")/../../support/pulse_null_sink.sh"
trap 'pulse_stop; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen
"$regsvr" "$module" >/dev/null
pulse_start || fail "no sound server"

# A check that passes without sound would prove nothing: first make sure silence fails it.
pulse_record "$work/silence.wav"
pulse_record_stop
read -r seconds _ < <(sound_span "$work/silence.wav")
awk -v s="$seconds" 'BEGIN { exit !(s < 0.1) }' || fail "the check hears $seconds s in silence"

sox -n -r 22050 -b 16 -c 1 "$work/tone.wav" synth 1.5 sine 440 vol 0.5
printf 'Open %s\nPlay -1 -1 false\nwait-done 10000\n' "$work/tone.wav" >"$work/play.nw"
pulse_record "$work/captured.wav"
"$nelowav" "$work/play.nw" >"$work/nelowav.out" 2>&1 || fail "nelowav: $(cat "$work/nelowav.out")"
pulse_record_stop

grep -q '^Done 1$' "$work/nelowav.out" || fail "no successful Done: $(cat "$work/nelowav.out")"
read -r seconds rms < <(sound_span "$work/captured.wav")
echo "heard $seconds s at $rms dB RMS"
awk -v s="$seconds" 'BEGIN { exit !(s > 1.35 && s < 1.65) }' || fail "heard $seconds s, played 1.5 s"
awk -v r="$rms" 'BEGIN { exit !(r > -12 && r < -6) }' || fail "heard $rms dB RMS, played -9 dB"
