#!/usr/bin/env bash
# The cost of the game's music: CPU of the whole korvane process while Music.wav loops, its
# resident memory, and resident memory after 1 and after 100 loops of a 0.2-second file.
# Runs korvane under an X server of its own with a PulseAudio null sink.
# Usage: music_load.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(realpath "${1:?usage: music_load.sh BUILD_DIR [SECONDS]}")
seconds=${2:-20}
work=$(mktemp -d)
source "$(dirname "$0")/../../tests/support/pulse_null_sink.sh"
source "$(dirname "$0")/../../tests/support/xvfb_display.sh"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; xvfb_stop; pulse_stop; rm -rf "$work"' EXIT

export KORVANE_COM_REGISTRY="$work/com-registry"
QT_QPA_PLATFORM=offscreen "$build/bin/regsvr" "$build/bin/libnelowav.so" >/dev/null
pulse_start
xvfb_start

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_mb() { awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
hz=$(getconf CLK_TCK)

# A copy of the game beside a music file of our choice: it plays Music.wav from its folder.
game_with_music() {
    mkdir -p "$work/$1"
    cp "$build/bin/korvane" "$work/$1/"
    sox -n -r 22050 -b 16 -c 1 "$work/$1/Music.wav" synth "$2" sine 440 vol 0.3
    echo "$work/$1/korvane"
}

"$build/bin/korvane" >/dev/null 2>&1 &
game=$!
pids+=("$game")
sleep 3
start=$(ticks "$game")
sleep "$seconds"
used=$(($(ticks "$game") - start))
echo "music loop: $(awk -v t="$used" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }') % of a core over $seconds s, $(rss_mb "$game") MB resident"
kill "$game"

short=$(game_with_music short 0.2)
"$short" >/dev/null 2>&1 &
game=$!
pids+=("$game")
# The main window, and with it the music, starts once the splash has gone.
sleep 4
after_one=$(rss_mb "$game")
sleep 20
echo "0.2 s loop: $after_one MB after the first loops, $(rss_mb "$game") MB after about 100 more"
