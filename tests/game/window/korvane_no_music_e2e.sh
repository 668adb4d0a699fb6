#!/usr/bin/env bash
# Without a registered wave control the game still plays, in silence, and says why in one line
# on stderr, the only line of its own there (Qt's offscreen platform adds notes of its own).
set -euo pipefail

korvane=${1:?usage: korvane_no_music_e2e.sh KORVANE}
work=$(mktemp -d)
korvane_pid=''
cleanup() {
    [[ -n $korvane_pid ]] && kill "$korvane_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    sed 's/^/korvane: /' "$work/err"
    exit 1
}

export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen
unset KORVANE_TRACE
"$korvane" >"$work/out" 2>"$work/err" &
korvane_pid=$!
for _ in $(seq 100); do
    grep -q '^korvane: ' "$work/err" && break
    kill -0 "$korvane_pid" 2>/dev/null || fail "the game ended"
    sleep 0.1
done
sleep 0.5
kill -0 "$korvane_pid" 2>/dev/null || fail "the game ended without its music"
[[ $(grep -c '^korvane: ' "$work/err") == 1 ]] || fail "not one line of the game's on stderr"
grep -q '^korvane: no music: cannot create .*REGDB_E_CLASSNOTREG' "$work/err" ||
    fail "the line does not say why"
[[ ! -s $work/out ]] || fail "the game wrote on stdout"
