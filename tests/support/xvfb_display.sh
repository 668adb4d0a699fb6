# shellcheck shell=bash
# Sourced by end-to-end tests and benchmarks: an X server of their own on a display that no
# other server holds, for Qt's xcb platform.
# Needs $work (a private folder); sets DISPLAY, QT_QPA_PLATFORM and XDG_RUNTIME_DIR for what
# it starts. Its log is $work/xvfb.log.

# xvfb_start: says why on stderr and returns non-zero when no display came up within 10 s.
xvfb_start() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        sleep 0.1
    done
    [[ -s $work/display ]] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; return 1; }
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb
    # Qt wants a private runtime folder; a sound server started before may share it.
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

xvfb_stop() {
    [[ -n ${xvfb_pid:-} ]] || return 0
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=''
}
