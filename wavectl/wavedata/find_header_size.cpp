// FindHeaderSize: one read of the scanned bytes, then the search in memory.
#include "wavedata/find_header_size.h"

#include "base/file_descriptor.h"
#include "base/short_path_codec.h"
#include "wavedata/chunked_transfer.h"
#include "wavedata/header_scan.h"

#include <array>
#include <fcntl.h>
#include <optional>
#include <string>

int32_t FindHeaderSize(const char *path) {
    // A short path names its file only once decoded, as the media device reads it.
    const std::optional<std::string> name = decodeShortPath(path != nullptr ? path : "");
    if (!name || name->empty())
        return 0;
    const FileDescriptor file(faultable::open(name->c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return 0;
    std::array<uint8_t, kLastTagOffset + 4> head;
    const int32_t length = ReadInPieces(file.get(), head.data(), static_cast<int32_t>(head.size()));
    return HeaderSizeIn(head.data(), static_cast<std::size_t>(length));
}
