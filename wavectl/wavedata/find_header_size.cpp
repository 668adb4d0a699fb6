// FindHeaderSize: one read of the scanned bytes, then a search in memory.
#include "wavedata/find_header_size.h"

#include "base/short_path_codec.h"

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kLastTagOffset = 10000;
constexpr std::string_view kDataTag = "data";
// The tag is followed by the four-byte length of the sample data.
constexpr int32_t kTagAndLengthSize = 8;

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
    std::array<char, kLastTagOffset + kDataTag.size()> head;
    const std::size_t length = std::fread(head.data(), 1, head.size(), file.get());
    const std::size_t offset = std::string_view(head.data(), length).find(kDataTag);
    if (offset == std::string_view::npos || offset == 0)
        return 0;
    return static_cast<int32_t>(offset) + kTagAndLengthSize;
}
