// FindHeaderSize over a file of arbitrary bytes in the scratch folder, held against a plain
// search for the first "data" tag within the scanned head of the file.
#include "fuzz_scratch.h"
#include "wavedata/find_header_size.h"
#include "wavedata/header_scan.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int32_t expectedHeaderSize(const uint8_t *data, size_t size) {
    for (size_t at = 1; at <= kLastTagOffset && at + 4 <= size; ++at)
        if (std::memcmp(data + at, "data", 4) == 0)
            return static_cast<int32_t>(at + 8);
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // A tag at offset 0 gives 0 as no tag does, so the plain search starts at 1 and the
    // answers agree only while the head holds no tag at 0 before a later one.
    const bool tagAtStart = size >= 4 && std::memcmp(data, "data", 4) == 0;
    const int32_t expected = tagAtStart ? 0 : expectedHeaderSize(data, size);
    if (HeaderSizeIn(data, size) != expected)
        std::abort();
    static const std::string path = FuzzScratch::file("scanned.wav");
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
    if (FindHeaderSize(path.c_str()) != expected)
        std::abort();
    return 0;
}
