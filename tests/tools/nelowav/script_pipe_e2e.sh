#!/usr/bin/env bash
# nelowav between pipes, as a shell user runs it: a reader that goes away ends it with 2, the
# reason on stderr and no temporary file left (not with SIGPIPE, leaving them); and a Done that
# came before wait-done, while the next line was still being typed, is the one it waits for.
set -euo pipefail
nelowav=${1:?usage: script_pipe_e2e.sh NELOWAV REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
# shellcheck source=../../support/scratch_folder.sh
source "$(dirname "$0")/../../support/scratch_folder.sh"
cd "$work"
mkdir temp
export KORVANE_COM_REGISTRY="$work/com-registry" QT_QPA_PLATFORM=offscreen TMPDIR="$work/temp"
export SDL_AUDIODRIVER=dummy
"$regsvr" "$module" >/dev/null
sox -n -r 8000 -b 16 -c 1 in.wav synth 0.1 sine 440

# An output pipe whose reader has already gone, so that the first write fails for certain.
mkfifo out.fifo
exec 3<>out.fifo 4>out.fifo 3<&-
status=0
printf 'Open in.wav\nCopy 0 99\nGetLength\n' | "$nelowav" >&4 2>err.txt || status=$?
exec 4>&-
((status == 2)) || fail "closed pipe: status $status, not 2: $(cat err.txt)"
[[ $(cat err.txt) == 'nelowav: line 1: cannot write the output: Broken pipe' ]] ||
    fail "closed pipe: $(cat err.txt)"
[[ -z $(ls temp) ]] || fail "closed pipe left temporary files behind: $(ls temp)"

# The play of 0.1 s ends while nelowav waits for the line after it; its Done is taken in by
# the sleep that follows.
{
    printf 'Open in.wav\nPlay 0 -1 0\n'
    sleep 1
    printf 'sleep 10\nwait-done 20000\nGetPosition\n'
} | "$nelowav" >out.txt 2>err.txt
expected='Open -> - [code 0]
Play -> - [code 0]
Done 1
GetPosition -> 800 [code 0]'
[[ $(cat out.txt) == "$expected" ]] || fail "Done before wait-done: $(cat out.txt)"
[[ ! -s err.txt ]] || fail "Done before wait-done: $(cat err.txt)"
echo "PASS"
