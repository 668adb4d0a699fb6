// The scan of the first bytes of a WAV file for its "data" tag.
#include "wavedata/header_scan.h"

#include <algorithm>
#include <cstring>

int32_t HeaderSizeIn(const uint8_t *bytes, std::size_t size) {
    const std::size_t scanned = std::min(size, kLastTagOffset + 4);
    const uint8_t *end = bytes + scanned;
    const auto tag = reinterpret_cast<const uint8_t *>("data");
    const uint8_t *found = std::search(bytes, end, tag, tag + 4);
    if (found == end || found == bytes)
        return 0;
    return static_cast<int32_t>(found - bytes) + 8;
}
