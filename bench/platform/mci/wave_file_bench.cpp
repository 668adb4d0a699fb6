// How long sound files take for what a person waits on: opening a 1 GB recording, cutting a
// second out of it, and saving ten minutes of CD-quality sound, next to cp of the same file.
#include "base/little_endian.h"
#include "mci/wave_file.h"
#include "temporary_folder.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr WaveFormat kCdQuality{SampleEncoding::SignedInt16, 2, 44100, 16};
constexpr uint64_t kGigabyte = uint64_t{1} << 30;
constexpr uint64_t kTenMinutesOfFrames = 600 * 44100;

double residentMebibytes() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double childProcessorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A CD-quality WAV of dataBytes whose data is a hole, so that a gigabyte costs no disk: the
// header of an empty sound as our writer saves it, its two sizes patched.
std::string sparseWave(const TemporaryFolder &folder, uint32_t dataBytes) {
    const std::string path = folder.file("sparse.wav");
    if (!saveWaveFile(Sound(kCdQuality), path).ok())
        std::abort();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        std::abort();
    std::array<std::byte, 4> size{};
    storeLittle32(size, 0, 36 + dataBytes);
    bool patched = ::pwrite(fd, size.data(), 4, 4) == 4;
    storeLittle32(size, 0, dataBytes);
    patched = patched && ::pwrite(fd, size.data(), 4, 40) == 4 &&
              ::ftruncate(fd, static_cast<off_t>(44 + uint64_t{dataBytes})) == 0;
    if (!patched)
        std::abort();
    ::close(fd);
    return path;
}

Sound openOrAbort(const std::string &path) {
    auto opened = openWaveFile(path);
    if (!opened.ok())
        std::abort();
    return std::move(opened.value());
}

void BM_OpenGigabyteWave(benchmark::State &state) {
    TemporaryFolder folder;
    const std::string path = sparseWave(folder, kGigabyte);
    const double before = residentMebibytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(openWaveFile(path));
    const Sound kept = openOrAbort(path);
    state.counters["rss_before_MiB"] = before;
    state.counters["rss_after_MiB"] = residentMebibytes();
}
BENCHMARK(BM_OpenGigabyteWave)->Unit(benchmark::kMillisecond);

// Cuts one second from the middle of a 1 GB sound that has already been cut at range(0) other
// places, so that the piece list is as long as a busy editing session makes it.
void BM_EraseOneSecond(benchmark::State &state) {
    TemporaryFolder folder;
    Sound edited = openOrAbort(sparseWave(folder, kGigabyte));
    const auto cuts = static_cast<uint64_t>(state.range(0));
    for (uint64_t cut = 0; cut < cuts; ++cut) {
        const uint64_t at = (cut + 1) * (edited.frameCount() / (cuts + 1));
        edited.erase(at, at + 1);
    }
    const uint64_t middle = edited.frameCount() / 2;
    for (auto _ : state) {
        Sound sound = edited;
        sound.erase(middle, middle + kCdQuality.samplesPerSec);
        benchmark::DoNotOptimize(sound.frameCount());
    }
}
BENCHMARK(BM_EraseOneSecond)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Ten minutes of CD-quality sound in a file of real (not sparse) data, so that cp copies bytes.
struct TenMinutes {
    TemporaryFolder folder;
    std::string source = folder.file("ten-minutes.wav");
    std::string target = folder.file("saved.wav");

    TenMinutes() {
        std::vector<std::byte> frames(kTenMinutesOfFrames * kCdQuality.bytesPerFrame());
        for (std::size_t at = 0; at < frames.size(); ++at)
            frames[at] = static_cast<std::byte>(at * 2654435761u >> 13);
        Sound sound(kCdQuality);
        sound.append(makeMemorySource(std::move(frames)), 0, kTenMinutesOfFrames);
        if (!saveWaveFile(sound, source).ok())
            std::abort();
    }
};

void BM_SaveTenMinutes(benchmark::State &state) {
    TenMinutes files;
    const Sound sound = openOrAbort(files.source);
    for (auto _ : state)
        if (!saveWaveFile(sound, files.target).ok())
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveTenMinutes)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

// cp alone leaves the copy in the page cache; with sync it waits for the disk as a save does.
// Its processor time is the child's, so it is counted here (the machine is shared: compare
// processor times as well as wall times).
void BM_CopyTenMinutesWithCp(benchmark::State &state) {
    TenMinutes files;
    const std::string command = "cp " + files.source + " " + files.target +
                                (state.range(0) != 0 ? " && sync " + files.target : "");
    const double before = childProcessorSeconds();
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    state.counters["cp_cpu_ms"] =
        1000 * (childProcessorSeconds() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CopyTenMinutesWithCp)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
