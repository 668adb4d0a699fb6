// Reading and writing little-endian 16-bit arrays.
#include "array_file.h"

#include "base/file_replacement.h"
#include "base/little_endian.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kReadChunkElements = size_t{1} << 19;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string failure(const char *what, const std::string &path, int error) {
    std::string text = what;
    text += ' ';
    text += path;
    text += ": ";
    text += std::strerror(error);
    return text;
}

std::string notRegular(const std::string &path) {
    std::string text = path;
    text += " is not a regular file";
    return text;
}

// Opened without blocking, so that a FIFO is refused instead of waited on.
File openRegularFile(const std::string &path, off_t &size, std::string &error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = failure("cannot read", path, errno);
        return nullptr;
    }
    File file(::fdopen(fd, "rb"));
    struct stat info {};
    if (!file || ::fstat(fd, &info) != 0) {
        error = failure("cannot read", path, errno);
        if (!file)
            ::close(fd);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        error = notRegular(path);
        return nullptr;
    }
    size = info.st_size;
    return file;
}

// Reads straight into the values, in chunks rather than by the file's size, which may be 0 for
// a file that has more. The number of bytes read goes to bytesRead.
bool readValues(std::FILE *file, size_t maxElements, std::vector<int16_t> &values,
                size_t &bytesRead) {
    bytesRead = 0;
    while (bytesRead < maxElements * 2) {
        values.resize(std::min(maxElements, bytesRead / 2 + kReadChunkElements));
        auto *bytes = reinterpret_cast<char *>(values.data());
        const size_t got = std::fread(bytes + bytesRead, 1, values.size() * 2 - bytesRead, file);
        bytesRead += got;
        if (got == 0)
            break;
    }
    values.resize(bytesRead / 2);
    if constexpr (std::endian::native == std::endian::big)
        for (int16_t &value : values)
            value = static_cast<int16_t>(loadLittle16(std::as_bytes(std::span(&value, 1)), 0));
    return std::ferror(file) == 0;
}

std::vector<std::byte> littleEndianBytes(const std::vector<int16_t> &values) {
    std::vector<std::byte> bytes(values.size() * 2);
    for (size_t i = 0; i < values.size(); ++i)
        storeLittle16(bytes, 2 * i, static_cast<uint16_t>(values[i]));
    return bytes;
}

} // namespace

std::optional<std::vector<int16_t>> readArrayFile(const std::string &path, size_t maxElements,
                                                  std::string &error) {
    off_t size = 0;
    const File file = openRegularFile(path, size, error);
    if (!file)
        return std::nullopt;
    std::vector<int16_t> values;
    values.reserve(std::min(maxElements, static_cast<size_t>(std::max<off_t>(size, 0)) / 2));
    size_t bytesRead = 0;
    if (!readValues(file.get(), maxElements, values, bytesRead)) {
        error = failure("cannot read", path, errno);
        return std::nullopt;
    }
    // Checked on the whole file, even when only its start is wanted: an odd size means it was
    // never a file of 16-bit values.
    if (size % 2 != 0 || bytesRead % 2 != 0) {
        error = path + " holds an odd number of bytes, not 16-bit values";
        return std::nullopt;
    }
    return values;
}

bool writeArrayFile(const std::string &path, const std::vector<int16_t> &values,
                    std::string &error) {
    const std::vector<std::byte> bytes = littleEndianBytes(values);
    FileReplacement replacement(path, ReplacePolicy::Durable);
    std::optional<ReplaceFailure> failure = replacement.create();
    if (!failure)
        failure = replacement.write(bytes);
    if (!failure)
        failure = replacement.commit();
    if (!failure)
        return true;
    error = failure->kind == ReplaceFailure::Kind::NotRegular ? notRegular(path) : failure->reason;
    return false;
}
