#!/usr/bin/env bash
# What a short play costs the host at each sampling rate, through a PulseAudio null sink with a
# low-latency recorder on its monitor. For each rate nelowav plays a 0.1 s tone five times, each
# stopped after its Done (Play without wait, wait-done, Stop), then five times with wait (Play
# with wait, Stop). A Stop after the end waits for the last frames to be heard, so the time it
# takes is how early Done or the wait came before the last frame. Prints the whole run, and per
# play the milliseconds from Play to Done and from Done (or the wait's return) to Stop's return;
# then, from a third run with pauses between the plays, the length of each tone the recorder
# heard, which is the tone's when no frame was lost (the null sink's mixing loses up to about
# 10 ms at the start of any stream, another program's too).
# Usage: [TONE_SECONDS=0.1] stop_after_done.sh BUILD_DIR [RATE ...]   (rates: 8000 44100)
set -euo pipefail
build=$(realpath "${1:?usage: stop_after_done.sh BUILD_DIR [RATE ...]}")
shift
rates=("$@")
tone_seconds=${TONE_SECONDS:-0.1}
[[ ${#rates[@]} -gt 0 ]] || rates=(8000 44100)
root=$(cd "$(dirname "$0")/../../.." && pwd)
for tool in pulseaudio pactl parecord sox; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (pulseaudio, pulseaudio-utils, sox)" >&2; exit 1; }
done
work=$(mktemp -d)
source "$root/tests/support/pulse_null_sink.sh"
trap 'pulse_stop; rm -rf "$work"' EXIT

export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen
"$build/bin/regsvr" "$build/bin/libnelowav.so" >/dev/null
pulse_start

repeat() { for _ in 1 2 3 4 5; do printf '%s' "$1"; done; }

# Runs nelowav on a script and stamps each output line with the milliseconds since the start;
# the last line is the whole run.
stamped_run() {
    local start=$EPOCHREALTIME now
    {
        "$build/bin/nelowav" "$1" | while IFS= read -r line; do
            now=$EPOCHREALTIME
            printf '%s %s\n' "$now" "$line"
        done
        printf '%s end\n' "$EPOCHREALTIME"
    } | awk -v start="$start" '{ $1 = sprintf("%.1f", ($1 - start) * 1000); print }'
}

# From stamped lines: per play "Play->Done" and "Done->Stop" (a wait play has no Done: its
# return stands in for it), and the whole run.
timings() {
    awk -v mode="$1" '
        $2 == "Play" { play = $1; ended = $1 }
        $2 == "Done" { ended = $1; done_after = $1 - play }
        $2 == "Stop" {
            if (mode == "notify") printf "    Play->Done %6.1f  Done->Stop %6.1f\n", done_after, $1 - ended
            else printf "    wait return->Stop %6.1f\n", $1 - ended
            if (first == "") first = play
            last = $1
        }
        $2 == "end" { printf "    first Play to last Stop %.0f ms, whole nelowav run %.0f ms\n", last - first, $1 }'
}

# The length in ms of each stretch of sound in a capture, stretches parted by 5 ms of quiet.
tones_heard() {
    sox "$1" -t s16 -c 1 -r 48000 "$work/heard.raw"
    od -An -v -td2 -w2 "$work/heard.raw" | awk '
        { quiet = $1 < 328 && $1 > -328 }
        !quiet { if (!on || NR - last > 240) { if (on) printf " %.1f", (last - from) / 48; from = NR; on = 1 } last = NR }
        END { if (on) printf " %.1f", (last - from) / 48; print "" }'
}

for rate in "${rates[@]}"; do
    sox -n -r "$rate" -b 16 -c 1 "$work/tone.wav" synth "$tone_seconds" sine 1000 vol 0.5
    printf 'Open %s\n%s' "$work/tone.wav" "$(repeat $'Play 0 -1 false\nwait-done 2000\nStop\n')" >"$work/notify.nw"
    printf 'Open %s\n%s' "$work/tone.wav" "$(repeat $'Play 0 -1 true\nStop\n')" >"$work/wait.nw"
    printf 'Open %s\n%s' "$work/tone.wav" "$(repeat $'Play 0 -1 true\nStop\nsleep 100\n')" >"$work/spaced.nw"
    pulse_record "$work/heard-$rate.wav"
    echo "$rate Hz, $tone_seconds s tone, Play without wait, wait-done, Stop:"
    stamped_run "$work/notify.nw" | timings notify
    sleep 0.3
    echo "$rate Hz, Play with wait, Stop:"
    stamped_run "$work/wait.nw" | timings wait
    pulse_record_stop
    pulse_record "$work/heard-$rate.wav"
    "$build/bin/nelowav" "$work/spaced.nw" >/dev/null
    pulse_record_stop
    echo "    tones heard (ms):$(tones_heard "$work/heard-$rate.wav")"
done
