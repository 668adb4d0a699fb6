#!/usr/bin/env bash
# The silence at the music's loop points: korvane plays a steady tone as its Music.wav under an
# X server of its own with a PulseAudio null sink; the sink's recording is searched for runs
# of near-silence (below 1 % of full scale) between the first and the last sound, and each run
# of 1 ms or more is printed. A tone never stays that low for a millisecond, so every run is a
# hole in the loop.
# Usage: music_gaps.sh BUILD_DIR [SECONDS] [LOOP_SECONDS]
set -euo pipefail
build=$(realpath "${1:?usage: music_gaps.sh BUILD_DIR [SECONDS] [LOOP_SECONDS]}")
seconds=${2:-23}
loop_seconds=${3:-5}
work=$(mktemp -d)
source "$(dirname "$0")/../../tests/support/pulse_null_sink.sh"
source "$(dirname "$0")/../../tests/support/xvfb_display.sh"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; pulse_stop; xvfb_stop; rm -rf "$work"' EXIT

export KORVANE_COM_REGISTRY="$work/com-registry"
QT_QPA_PLATFORM=offscreen "$build/bin/regsvr" "$build/bin/libnelowav.so" >/dev/null
pulse_start
xvfb_start
export KORVANE_TRACE=mci

# The game plays Music.wav from its own folder.
cp "$build/bin/korvane" "$work/"
sox -n -r 22050 -b 16 -c 1 "$work/Music.wav" synth "$loop_seconds" sine 440 vol 0.5

pulse_record "$work/heard.wav"
"$work/korvane" 2>"$work/korvane.log" &
pids+=($!)
sleep "$seconds"
pulse_record_stop

rate=8000
sox "$work/heard.wav" -t s16 -c 1 -r "$rate" "$work/heard.raw"
od -An -v -td2 -w2 "$work/heard.raw" | awk -v rate="$rate" '
    function ms(n) { return 1000 * n / rate }
    { quiet = $1 < 328 && $1 > -328 }
    quiet && heard && run == 0 { from = NR }
    quiet { run++ }
    !quiet {
        if (heard && ms(run) >= 1) {
            printf "gap of %.1f ms, %.2f s after the sound began\n", ms(run), (from - first) / rate
            if (run > longest) longest = run
            gaps++
        }
        if (!heard) first = NR
        heard = 1; run = 0; last = NR
    }
    END {
        printf "%.1f s of sound heard: %d gaps, the longest %.1f ms\n",
            (last - first) / rate, gaps, ms(longest)
    }'
echo "play streams opened: $(grep -c 'play stream opened' "$work/korvane.log" || true)"
echo "underruns traced: $(grep -c underrun "$work/korvane.log" || true)"
