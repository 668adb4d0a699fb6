# Sourced by end-to-end tests: a private PulseAudio server whose only sink is a null sink,
# and a recorder on its monitor, so a test can prove that sound really came out.
# Needs $work (a private folder); sets XDG_RUNTIME_DIR and SDL_AUDIODRIVER for what it starts.

pulse_start() {
    export XDG_RUNTIME_DIR="$work/pulse-runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    pulseaudio -D -n --exit-idle-time=-1 --system=false --disallow-exit \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=ci_sink" \
        --log-target=file:"$XDG_RUNTIME_DIR/pulse.log" 2>/dev/null || return 1
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 || return 1
    export SDL_AUDIODRIVER=pulseaudio
}

pulse_stop() {
    pulseaudio --kill 2>/dev/null || true
}

# pulse_record FILE: records the sink's monitor into FILE until pulse_record_stop. The null
# sink needs a low-latency reader attached a while before anything plays.
pulse_record() {
    parecord --device=ci_sink.monitor --latency-msec=20 --file-format=wav "$1" &
    pulse_recorder=$!
    sleep 2.5
}

pulse_record_stop() {
    sleep 0.5
    kill -INT "$pulse_recorder" 2>/dev/null || true
    wait "$pulse_recorder" 2>/dev/null || true
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
