# shellcheck shell=bash
# Sourced by end-to-end tests and benchmarks: a private PulseAudio server whose only sink is a
# null sink, and a recorder on its monitor, so that they can prove that sound really came out.
# Needs $work (a private folder); sets XDG_RUNTIME_DIR and SDL_AUDIODRIVER for what it starts.
# Its log is $work/pulse.log.

# pulse_start: says why on stderr and returns non-zero when the server did not answer within 5 s.
pulse_start() {
    # An X server started before or after shares the runtime folder.
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    pulse_runtime=$XDG_RUNTIME_DIR
    if pulseaudio -D -n --exit-idle-time=-1 --system=false --disallow-exit \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=null_sink" \
        --log-target=file:"$work/pulse.log" 2>/dev/null; then
        for _ in $(seq 50); do
            pactl info >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
    pactl info >/dev/null 2>&1 ||
        { echo "pulseaudio did not start: $(cat "$work/pulse.log" 2>/dev/null)" >&2; return 1; }
    export SDL_AUDIODRIVER=pulseaudio
}

# Ends the recorder and the server of pulse_start, and only those: before pulse_start the
# runtime folder may be the user's own, whose server must live on. Waits until the server has
# gone, since it removes its files from the runtime folder on its way out.
pulse_stop() {
    pulse_record_stop
    [[ -n ${pulse_runtime:-} ]] || return 0
    XDG_RUNTIME_DIR=$pulse_runtime pulseaudio --kill 2>/dev/null || true
    for _ in $(seq 50); do
        XDG_RUNTIME_DIR=$pulse_runtime pulseaudio --check 2>/dev/null || break
        sleep 0.1
    done
    pulse_runtime=''
}

# pulse_record FILE: records the sink's monitor into FILE until pulse_record_stop. The null
# sink needs a low-latency reader attached a while before anything plays.
pulse_record() {
    parecord --device=null_sink.monitor --latency-msec=20 --file-format=wav "$1" &
    pulse_recorder=$!
    sleep 2.5
}

# Lets the last half second in first. A background job of a script ignores SIGINT;
# parecord finishes its file on SIGTERM as well.
pulse_record_stop() {
    [[ -n ${pulse_recorder:-} ]] || return 0
    sleep 0.5
    kill -TERM "$pulse_recorder" 2>/dev/null || true
    wait "$pulse_recorder" 2>/dev/null || true
    pulse_recorder=''
}

# sound_span FILE: "SECONDS RMS_DB" of what FILE holds once the silence at both ends is cut;
# "0 -inf" when nothing was heard.
sound_span() {
    local trimmed="$work/trimmed.wav"
    sox "$1" "$trimmed" silence 1 0.02 1% reverse silence 1 0.02 1% reverse 2>/dev/null
    local seconds rms
    seconds=$(soxi -D "$trimmed" 2>/dev/null || echo 0)
    rms=$(sox "$trimmed" -n stats 2>&1 | awk '/RMS lev dB/ { print $4 }')
    echo "${seconds:-0} ${rms:--inf}"
}
