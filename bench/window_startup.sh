#!/usr/bin/env bash
# Start-up and idle figures of the korvane window under Xvfb: time until the splash window
# is mapped, resident memory 3 s after the main window shows, CPU ticks over 10 idle
# seconds and during the computer's one-second pause.
#   bench/window_startup.sh [PATH_TO_KORVANE] [STARTS]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
korvane=${1:-$root/build/default/bin/korvane}
starts=${2:-5}
[[ -x $korvane ]] || { echo "no korvane at $korvane; build it first" >&2; exit 1; }
for tool in Xvfb xev xdotool import convert stdbuf; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (xvfb, x11-utils, xdotool, imagemagick)" >&2; exit 1; }
done

work=$(mktemp -d)
source "$root/tests/support/xvfb_display.sh"
pids=()
cleanup() {
    local at
    for ((at = ${#pids[@]} - 1; at >= 0; at--)); do kill "${pids[at]}" 2>/dev/null || true; done
    xvfb_stop
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

xvfb_start

ticks_per_second=$(getconf CLK_TCK)
now_ns() { date +%s%N; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Stamps every top-level window mapped on the display with the time it was seen; xev
# writes into a pipe so that ending xev ends the reader too.
watch_maps() {
    mkfifo "$work/events"
    stdbuf -oL xev -root -event substructure >"$work/events" &
    pids+=($!)
    while IFS= read -r line; do
        if [[ $line == MapNotify* ]]; then now_ns >>"$1"; fi
    done <"$work/events" &
}

wait_for_line() {
    local file=$1 line=$2
    for _ in $(seq 1000); do
        (($(wc -l <"$file") >= line)) && { sed -n "${line}p" "$file"; return; }
        sleep 0.005
    done
    echo "timed out waiting for window $line" >&2
    exit 1
}

watch_maps "$work/maps"
sleep 0.5

# Starts the program STARTS times and leaves in $sorted the milliseconds until its first
# window was mapped, sorted; the last start is left running with its pid in $pid.
time_first_map() {
    local program=$1 runs=$2 run start mapped times=()
    for run in $(seq "$runs"); do
        : >"$work/maps"
        start=$(now_ns)
        "$program" >/dev/null 2>&1 &
        pid=$!
        pids+=("$pid")
        mapped=$(wait_for_line "$work/maps" 1)
        times+=($(((mapped - start) / 1000000)))
        if ((run < runs)); then
            kill "$pid"
            wait "$pid" 2>/dev/null || true
            sleep 0.3
        fi
    done
    sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
}

median() { tr ' ' '\n' | awk 'NF { v[n++] = $1 } END { print v[int((n - 1) / 2)] }'; }

# The same measure for a blank Qt window, when it can be built here, shows how much of the
# time is Qt's own start on this machine.
peer=''
if command -v g++ >/dev/null && pkg-config --exists Qt6Widgets 2>/dev/null; then
    cat >"$work/blank.cpp" <<'PEER'
#include <QApplication>
#include <QWidget>
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(461, 353);
    window.show();
    return QApplication::exec();
}
PEER
    g++ -O2 -fPIC "$work/blank.cpp" -o "$work/blank" $(pkg-config --cflags --libs Qt6Widgets) && peer="$work/blank"
fi
if [[ -n $peer ]]; then
    time_first_map "$peer" "$starts"
    blank=$sorted
    kill "$pid"
    wait "$pid" 2>/dev/null || true
fi
time_first_map "$korvane" "$starts"
splash=$sorted
echo "start until splash mapped: $(median <<<"$splash") ms median of $starts, sorted: $splash(goal <= 100 ms)"
[[ -n $peer ]] && echo "  a blank Qt window on the same display: $(median <<<"$blank") ms median, sorted: $blank"

wait_for_line "$work/maps" 2 >/dev/null
window=$(xdotool search --sync --onlyvisible --name '^Korvane$' | awk 'NR == 1')
sleep 3
echo "resident memory 3 s after the main window shows: $(awk '/^VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status") (goal <= 40 MB)"

before=$(cpu_ticks "$pid")
sleep 10
echo "CPU ticks over 10 idle seconds: $(($(cpu_ticks "$pid") - before)) at $ticks_per_second a second (goal 0)"

# White plays square 20; the board's first green pixel fixes where the squares are.
import -window "$window" "$work/shot.png"
green_y=$(convert "$work/shot.png" -crop "1x400+24+0" +repage txt:- | awk -F'[,:]' '/#008000/ && !found { print $2; found = 1 }')
top=$((green_y - 1)) pitch=39
at_click=$(cpu_ticks "$pid")
xdotool mousemove --window "$window" $((5 + 2 * pitch + pitch / 2)) $((top + 4 * pitch + pitch / 2)) click 1
sleep 0.1
pause_start=$(cpu_ticks "$pid")
sleep 0.85
pause_end=$(cpu_ticks "$pid")
sleep 0.55
after_reply=$(cpu_ticks "$pid")
echo "CPU ticks during the computer's pause (0.1 s to 0.95 s after the click): $((pause_end - pause_start)) (goal <= 2)"
echo "CPU ticks from the click until after the reply (1.5 s), drawing included: $((after_reply - at_click))"
import -window "$window" "$work/shot.png"
[[ $(convert "$work/shot.png" -format "%[hex:p{$((5 + 2 * pitch + pitch / 2)),$((top + 4 * pitch + pitch / 2))}]" info:) == FFFFFF ]] ||
    { echo "the click on square 20 did not land; the pause figures are void" >&2; exit 1; }
