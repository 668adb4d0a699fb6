#!/usr/bin/env bash
# Edits a real WAV file through the control with nelowav and checks the saved result with sox:
# the edits land in the saved file only, and no temporary file outlives the run.
set -euo pipefail

nelowav=${1:?usage: edit_e2e.sh NELOWAV REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
# shellcheck source=../../support/scratch_folder.sh
source "$(dirname "$0")/../../support/scratch_folder.sh"
cd "$work"
mkdir "temp dir"
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen TMPDIR="$work/temp dir"
export SDL_AUDIODRIVER=dummy
"$regsvr" "$module" >/dev/null

sox -n -r 8000 -b 16 -c 2 "host file.wav" synth 1 sine 440 vol 0.5
before=$(sha1sum "host file.wav")
cat >edit.nw <<'SCRIPT'
Open "host file.wav"
Seek 1000
ChangeVolume 0 -1 0.5
Copy 100 199
Paste 4000 4000
SetSamplingRate 22050
GetPosition
SaveAs "edited file.wav"
SCRIPT
"$nelowav" edit.nw >out.txt 2>err.txt || fail "nelowav: $(cat out.txt err.txt)"
grep -q '^GetPosition -> 1000 \[code 0\]$' out.txt || fail "position not kept: $(cat out.txt)"
! grep -v '\[code 0\]$' out.txt || fail "an edit failed"
[[ $(sha1sum "host file.wav") == "$before" ]] || fail "the host's file changed without Save"
[[ $(soxi -r "edited file.wav") == 22050 ]] || fail "rate $(soxi -r "edited file.wav")"
[[ $(soxi -s "edited file.wav") == 8099 ]] || fail "length $(soxi -s "edited file.wav"), not 8000 - 1 + 100"
peak=$(sox "edited file.wav" -n stats 2>&1 | awk '/Pk lev dB/ { print $4 }')
awk -v p="$peak" 'BEGIN { exit !(p > -12.5 && p < -11.5) }' || fail "peak $peak dB, not -12 dB"
[[ -z $(ls "temp dir") ]] || fail "temporary files left behind: $(ls "temp dir")"
