#!/usr/bin/env bash
# Makes the WAV seeds of the reader's and the header scan's corpora with sox: a few frames in
# each sample format the reader knows.
set -euo pipefail
cd "$(dirname "$0")/corpus"
tone() { sox -n -r 8000 "$@" synth 12s sine 440 vol 0.5; }
tone -b 8 -c 1 -e unsigned-integer wave_reader/u8_mono.wav
tone -b 16 -c 2 wave_reader/s16_stereo.wav
tone -b 24 -c 1 wave_reader/s24_extensible.wav
tone -b 32 -c 1 -e floating-point wave_reader/f32_extensible.wav
tone -b 32 -c 3 -e signed-integer wave_reader/s32_three_channels.wav
tone -b 16 -c 1 wave_reader/s16_mono.wav
cp wave_reader/u8_mono.wav wave_reader/s16_mono.wav find_header_size/
