// What the audio back ends cost: the time from play to the first frames asked of the sound, and
// the share of a core that a process spends playing a 10 s sound. The SDL figures mean most
// with SDL_AUDIODRIVER=pulseaudio and a PulseAudio null sink: sdl_pulse_bench.sh beside this.
#include "mci/audio_backend.h"

#include <benchmark/benchmark.h>
#include <condition_variable>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr StreamFormat kCdFormat{44100, 2};

std::chrono::microseconds processCpuTime() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto micros = [](const timeval &time) {
        return std::chrono::seconds(time.tv_sec) + std::chrono::microseconds(time.tv_usec);
    };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

// Something that happens once, on another thread.
class Signal {
  public:
    void raise() {
        std::lock_guard lock(m_mutex);
        m_raised = true;
        m_changed.notify_all();
    }
    void wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_raised; });
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_raised = false;
};

void PlayToFirstPull(benchmark::State &state) {
    auto backend = makeDefaultBackend();
    for (auto _ : state) {
        Signal pulled;
        const auto start = Clock::now();
        auto stream = backend->play(
            kCdFormat,
            [&](std::span<float> out) {
                pulled.raise();
                std::fill(out.begin(), out.end(), 0.0f);
                return out.size() / kCdFormat.channels;
            },
            [](StreamEnd) {});
        pulled.wait();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(PlayToFirstPull)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// Plays 10 s of a quiet tone, so the sound path does the work a real sound asks of it.
void playTenSeconds(benchmark::State &state, AudioBackend &backend) {
    constexpr uint64_t kLength = 10 * kCdFormat.framesPerSecond;
    for (auto _ : state) {
        uint64_t given = 0;
        Signal ended;
        const auto cpuBefore = processCpuTime();
        const auto start = Clock::now();
        auto stream = backend.play(
            kCdFormat,
            [&](std::span<float> out) {
                const uint64_t frames = std::min<uint64_t>(out.size() / 2, kLength - given);
                for (uint64_t n = 0; n < frames; ++n)
                    out[2 * n] = out[2 * n + 1] = 0.1f * float((given + n) % 100) / 100.0f;
                given += frames;
                return static_cast<std::size_t>(frames);
            },
            [&](StreamEnd) { ended.raise(); });
        ended.wait();
        const std::chrono::duration<double> wall = Clock::now() - start;
        const std::chrono::duration<double> cpu = processCpuTime() - cpuBefore;
        state.counters["cpu_percent"] = 100.0 * cpu.count() / wall.count();
        state.counters["wall_s"] = wall.count();
    }
}

void PlayTenSecondsOnTheNullSink(benchmark::State &state) {
    auto backend = makeNullBackend(steadyAudioClock());
    playTenSeconds(state, *backend);
}
BENCHMARK(PlayTenSecondsOnTheNullSink)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

void PlayTenSecondsOnSdl(benchmark::State &state) {
    auto backend = makeDefaultBackend();
    playTenSeconds(state, *backend);
}
BENCHMARK(PlayTenSecondsOnSdl)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
