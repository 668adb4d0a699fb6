#!/usr/bin/env bash
# A real full disk: a 2 MB tmpfs, mounted in a mount namespace of its own so that nothing stays
# mounted, is the temporary folder and the target of a SaveAs. The edit and the SaveAs do not
# fit; each reports its code, the host's file stays as it was and the tmpfs is left empty: the
# failed SaveAs removes the name it made. Needs root (and the right to mount); skipped otherwise.
set -euo pipefail

nelowav=${1:?usage: full_disk_e2e.sh NELOWAV REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
if [[ $(id -u) != 0 ]] || ! unshare -m true 2>/dev/null; then
    echo "skipped: mounting a tmpfs needs root"
    exit 77
fi
# shellcheck source=../../support/scratch_folder.sh
source "$(dirname "$0")/../../support/scratch_folder.sh"
cd "$work"
mkdir full
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
"$regsvr" "$module" >/dev/null

# 20 s of 16-bit stereo at 44100 Hz: 3.5 MB, too large for the tmpfs.
sox -n -r 44100 -b 16 -c 2 host.wav synth 20 sine 440 vol 0.5
before=$(sha1sum host.wav)
cat >edit.nw <<'SCRIPT'
Open host.wav
SetSamplingRate 22050
GetSamplingRate
SaveAs full/copy.wav
GetLength
GetWavFilename
SCRIPT
unshare -m sh -c 'mount -t tmpfs -o size=2m korvane-full full && TMPDIR="$PWD/full" "$1" edit.nw; \
    status=$?; ls -A full >left.txt; exit $status' sh "$nelowav" >out.txt 2>err.txt ||
    fail "nelowav: $(cat out.txt err.txt)"
expected='Open -> - [code 0]
SetSamplingRate -> - [code 517]
GetSamplingRate -> 44100 [code 517]
SaveAs -> - [code 286]
GetLength -> 882000 [code 286]
GetWavFilename -> "host.wav" [code 286]'
[[ $(cat out.txt) == "$expected" ]] || fail "unexpected output: $(cat out.txt)"
[[ $(sha1sum host.wav) == "$before" ]] || fail "the host's file changed"
[[ ! -s left.txt ]] || fail "left on the tmpfs: $(cat left.txt)"
[[ -z $(find full -mindepth 1) ]] || fail "the tmpfs stayed mounted"
