#!/usr/bin/env bash
# The audio back ends' figures with real sound: runs audio_backend_bench with SDL on a private
# PulseAudio server whose null sink is recorded, then says how long and how loud the 10 s tone
# that came out was (a play that gave nothing must show here as no tone).
#   bench/platform/mci/sdl_pulse_bench.sh [PATH_TO_AUDIO_BACKEND_BENCH]
set -euo pipefail

root=$(cd "$(dirname "$0")/../../.." && pwd)
bench=${1:-$root/build/default/bin/audio_backend_bench}
[[ -x $bench ]] || { echo "no audio_backend_bench at $bench; build it first" >&2; exit 1; }
for tool in pulseaudio pactl parecord sox soxi; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (pulseaudio, pulseaudio-utils, sox)" >&2; exit 1; }
done

# Read only by a sanitizer build of the benchmark.
export LSAN_OPTIONS=suppressions=$root/tests/support/libpulse.lsan.supp
work=$(mktemp -d)
source "$root/tests/support/pulse_null_sink.sh"
trap 'pulse_stop; rm -rf "$work"' EXIT

pulse_start
# The null sink paces playback only once a low-latency reader is attached.
pulse_record "$work/out.wav"
"$bench" --benchmark_filter=PlayToFirstPull
"$bench" --benchmark_filter=PlayTenSeconds
pulse_record_stop

read -r seconds rms < <(sound_span "$work/out.wav")
echo "tone that came out: $seconds s, RMS $rms dB"
# Longer than 10 s means the server ran dry somewhere (a loaded machine); shorter, frames were lost.
awk -v s="$seconds" 'BEGIN { exit !(s >= 9.9 && s <= 11) }' || {
    echo "the 10 s tone did not come out whole" >&2
    exit 1
}
