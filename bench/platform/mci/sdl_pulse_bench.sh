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
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
recorder=
cleanup() {
    [[ -n $recorder ]] && kill "$recorder" 2>/dev/null
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

pulseaudio -D -n --exit-idle-time=-1 --system=false --disallow-exit \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=bench_sink" \
    --log-target=file:"$work/pulse.log"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

# The null sink paces playback only once a low-latency reader is attached.
parecord --device=bench_sink.monitor --latency-msec=20 --file-format=wav "$work/out.wav" &
recorder=$!
sleep 2.5
SDL_AUDIODRIVER=pulseaudio "$bench" --benchmark_filter=PlayToFirstPull
SDL_AUDIODRIVER=pulseaudio "$bench" --benchmark_filter=PlayTenSeconds
sleep 0.5
# A background job ignores SIGINT in a script; parecord finishes its file on SIGTERM as well.
kill -TERM "$recorder"
wait "$recorder" || true
recorder=

sox "$work/out.wav" "$work/tone.wav" silence 1 0.02 1% reverse silence 1 0.02 1% reverse
seconds=$(soxi -D "$work/tone.wav")
echo "tone that came out: $seconds s," \
    "RMS $(sox "$work/tone.wav" -n stats 2>&1 | awk '/RMS lev dB/{print $4}') dB"
# Longer than 10 s means the server ran dry somewhere (a loaded machine); shorter, frames were lost.
awk -v s="$seconds" 'BEGIN { exit !(s >= 9.9 && s <= 11) }' || {
    echo "the 10 s tone did not come out whole" >&2
    exit 1
}
