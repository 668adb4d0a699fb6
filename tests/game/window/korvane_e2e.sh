#!/usr/bin/env bash
# Starts the real korvane under an X server of its own, reads the board off screenshots,
# plays one move with the mouse and watches the computer answer, then quits with Ctrl+X. Its
# music plays with no sound server and no sound card, and the program prints nothing.
set -euo pipefail

korvane=${1:?usage: korvane_e2e.sh KORVANE REGSVR MODULE}
regsvr=${2:?}
module=${3:?}
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (xvfb, xdotool, imagemagick)"; exit 1; }
done

work=$(mktemp -d)
# shellcheck source=../../support/xvfb_display.sh
source "$(dirname "$0")/../../support/xvfb_display.sh"
korvane_pid=''
cleanup() {
    [[ -n $korvane_pid ]] && kill "$korvane_pid" 2>/dev/null
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [[ -s $work/korvane.log ]] && sed 's/^/korvane: /' "$work/korvane.log"
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

xvfb_start || fail "no X server"
export KORVANE_COM_REGISTRY="$work/com-registry"
QT_QPA_PLATFORM=offscreen "$regsvr" "$module" >/dev/null || fail "the control did not register"
# No sound server (one named that is not there, so none is started either) and SDL left to
# choose its driver, as on a desktop without sound.
unset SDL_AUDIODRIVER KORVANE_TRACE
export PULSE_SERVER="unix:$work/no-sound-server"

"$korvane" >"$work/korvane.log" 2>&1 &
korvane_pid=$!

timeout 10 xdotool search --sync --onlyvisible --name '^Form1$' >/dev/null ||
    fail "the splash window never showed"
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Korvane$' | awk 'NR == 1') ||
    fail "the main window never showed"
[[ -z $(xdotool search --onlyvisible --name '^Form1$' || true) ]] ||
    fail "the splash window is still shown beside the main window"

shot="$work/shot.png"
screenshot() { import -window "$window" "$shot"; }

# The first square's green, found down the middle of the first column, fixes the board's
# top; until it is found nothing on the screen is read as a disc.
screenshot
green_y=$(convert "$shot" -crop "1x400+24+0" +repage txt:- | awk -F'[,:]' '/#008000/ && !found { print $2; found = 1 }')
[[ -n $green_y ]] || fail "no green square in the main window"
board_top=$((green_y - 1))
pitch=39

# One letter per square in index order: W white, B black, . empty, ? anything else.
read_board() {
    local format='' index column row
    for index in $(seq 0 63); do
        column=$((index / 8)) row=$((index % 8))
        format+="%[hex:p{$((5 + column * pitch + pitch / 2)),$((board_top + row * pitch + pitch / 2))}] "
    done
    convert "$shot" -format "$format" info: | tr ' ' '\n' | awk '
        /^FFFFFF$/ { printf "W"; next }
        /^000000$/ { printf "B"; next }
        /^008000$/ { printf "."; next }
        NF { printf "?" }'
}

with_discs() {
    local board='' index
    for index in $(seq 0 63); do board+='.'; done
    while (($#)); do
        board=${board:0:$1}$2${board:$(($1 + 1))}
        shift 2
    done
    echo "$board"
}

opening=$(with_discs 27 W 28 B 35 B 36 W)
board=$(read_board)
[[ $board == "$opening" ]] || fail "opening position: expected $opening, read $board"

# White plays square 20 (column 2, row 4), turning 28.
after_white=$(with_discs 20 W 27 W 28 W 35 B 36 W)
xdotool mousemove --window "$window" $((5 + 2 * pitch + pitch / 2)) $((board_top + 4 * pitch + pitch / 2)) click 1
clicked_at=$(now_ms)
# The person's move must show on its own first, then the computer's reply after the pause.
seen_white='' replied=''
while (($(now_ms) - clicked_at < 5000)); do
    screenshot
    board=$(read_board)
    discs=${board//./}
    [[ -z $seen_white && $board == "$after_white" ]] && seen_white=$(now_ms)
    if ((${#discs} == 6)); then replied=$(now_ms); break; fi
done
[[ -n $seen_white ]] || fail "White's move was never shown before the computer's reply: read $board"
[[ -n $replied ]] || fail "no reply from the computer: read $board"
((replied - clicked_at >= 900)) || fail "the computer answered after $((replied - clicked_at)) ms, before its pause"
black=${discs//[^B]/}
[[ $board != *'?'* && ${board:20:1} == W && ${#black} -ge 3 ]] || fail "the computer's reply is not a legal one: $board"
echo "computer replied $((replied - clicked_at)) ms after the click: $board"

xdotool windowfocus --sync "$window"
xdotool key ctrl+x
for _ in $(seq 50); do
    kill -0 "$korvane_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$korvane_pid" 2>/dev/null; then fail "Ctrl+X did not end the program"; fi
wait "$korvane_pid" || fail "korvane ended with status $?"
korvane_pid=''
[[ ! -s $work/korvane.log ]] || fail "korvane printed on its output"
echo "PASS"
