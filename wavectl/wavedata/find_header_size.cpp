// FindHeaderSize: one read of the scanned bytes, then the search in memory.
#include "wavedata/find_header_size.h"

#include "base/short_path_codec.h"
#include "wavedata/header_scan.h"

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace {

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

} // namespace

int32_t FindHeaderSize(const char *path) {
    // A short path names its file only once decoded, as the media device reads it.
    const std::optional<std::string> name = decodeShortPath(path != nullptr ? path : "");
    if (!name || name->empty())
        return 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name->c_str(), "rb"));
    if (!file)
        return 0;
    std::array<uint8_t, kLastTagOffset + 4> head;
    const std::size_t length = std::fread(head.data(), 1, head.size(), file.get());
    return HeaderSizeIn(head.data(), length);
}
