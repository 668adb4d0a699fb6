#!/usr/bin/env bash
# The soak runs at their full counts, one after another, each printing its file descriptors,
# temporary files and resident memory before and after; fails when any run fails.
#   bench/soak.sh [PATH_TO_KORVANE_SOAK]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
soak=${1:-$root/build/default/bin/korvane_soak}
[[ -x $soak ]] || { echo "no korvane_soak at $soak; build it first" >&2; exit 1; }

status=0
for run in "open-close 10000" "edits 1000" "music-loops 1000" "games 500"; do
    start=$SECONDS
    # shellcheck disable=SC2086 # the subject and its count are two words
    "$soak" $run 2> >(grep -v "does not support propagateSizeHints" >&2) || status=1
    echo "  ($((SECONDS - start)) s)"
done
exit $status
