#!/usr/bin/env bash
# The three programs answer --version, and the game --help, as Linux programs do: on standard
# output, exit 0, nothing on stderr, and for the game no window and no display needed.
set -euo pipefail

korvane=${1:?usage: command_line_test.sh KORVANE NELOWAV REGSVR VERSION}
nelowav=${2:?}
regsvr=${3:?}
version=${4:?}
# shellcheck source=../support/scratch_folder.sh
source "$(dirname "$0")/../support/scratch_folder.sh"

# answer EXPECTED_STDOUT PROGRAM ARGS...: the program must print exactly that and exit 0.
answer() {
    local expected=$1
    shift
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/out" 2>"$work/err" ||
        status=$?
    ((status == 0)) || fail "$* exits $status: $(cat "$work/err")"
    [[ ! -s $work/err ]] || fail "$* writes on stderr: $(cat "$work/err")"
    [[ $(cat "$work/out") == "$expected" ]] || fail "$* prints '$(cat "$work/out")', not '$expected'"
}

answer "korvane $version" "$korvane" --version
answer "nelowav $version" "$nelowav" --version
answer "regsvr $version" "$regsvr" --version
# Qt's own arguments do not stop the answer.
answer "korvane $version" "$korvane" -style fusion --version
answer "$("$korvane" -h)" "$korvane" --help
head -1 "$work/out" | grep -q '^Usage: korvane ' || fail "korvane --help gives no usage line"
grep -q -- '--version' "$work/out" || fail "korvane --help does not name --version"

# An answer that cannot be written is a failure, told in one line.
status=0
"$korvane" --version >/dev/full 2>"$work/err" || status=$?
((status == 1)) || fail "korvane --version into a full disk exits $status"
[[ $(wc -l <"$work/err") == 1 ]] || fail "korvane --version into a full disk says: $(cat "$work/err")"
