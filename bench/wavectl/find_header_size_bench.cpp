// FindHeaderSize on a file with no data tag, which reads and scans all 10004 bytes.
#include "base/short_path_codec.h"
#include "temporary_folder.h"
#include "wavedata/find_header_size.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {

void FindHeaderSizeWithoutTag(benchmark::State &state) {
    const TemporaryFolder folder;
    const std::string path = folder.file("no-data-tag.wav");
    std::ofstream(path, std::ios::binary) << std::string(20000, 'x');
    const std::string shortPath = encodeShortPath(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindHeaderSize(shortPath.c_str()));
}
BENCHMARK(FindHeaderSizeWithoutTag);

} // namespace

BENCHMARK_MAIN();
