// A byte source over a whole file mapped read-only: opening costs the same for any size, and
// pages are read only when the sound is played. The descriptor stays open for saves, which copy
// the file's bytes without touching the mapping.
#include "base/faultable_calls.h"
#include "base/file_descriptor.h"
#include "mci/byte_source.h"
#include "mci/mapping_guard.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace {

// The whole file is one mapping, so every offset in it must be a valid size_t.
static_assert(sizeof(std::size_t) >= sizeof(uint64_t));

class MappedFile final : public ByteSource {
  public:
    // An empty file has no mapping (mmap refuses a length of 0): address is null, size 0.
    MappedFile(FileDescriptor fd, const void *address, uint64_t size)
        : m_fd(std::move(fd))
        , m_address(static_cast<const std::byte *>(address))
        , m_size(size) {}
    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;
    ~MappedFile() override {
        if (m_address == nullptr)
            return;
        unguardMapping(m_address);
        ::munmap(const_cast<std::byte *>(m_address), static_cast<std::size_t>(m_size));
    }

    uint64_t size() const override { return m_size; }
    std::span<const std::byte> bytes(uint64_t offset, std::size_t length) const override {
        return {m_address + offset, length};
    }
    int fileDescriptor() const override { return m_fd.get(); }

  private:
    FileDescriptor m_fd;
    const std::byte *m_address;
    uint64_t m_size;
};

WaveError unreadable(const std::string &what, int error) {
    return {WaveError::Kind::Unreadable, what + ": " + std::strerror(error), 0};
}

} // namespace

WaveResult<std::shared_ptr<const ByteSource>> mapFile(const std::string &path) {
    // O_NONBLOCK so that a FIFO given by mistake is refused below instead of waiting for a writer.
    FileDescriptor fd(faultable::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        if (errno == ENOENT || errno == ENOTDIR)
            return WaveError{WaveError::Kind::NotFound, "no such file", 0};
        return unreadable("cannot open", errno);
    }
    struct stat info {};
    if (faultable::fstat(fd.get(), &info) != 0)
        return unreadable("cannot examine", errno);
    if (!S_ISREG(info.st_mode))
        return WaveError{WaveError::Kind::Unreadable, "not a regular file", 0};
    const auto size = static_cast<uint64_t>(info.st_size);
    if (size == 0)
        return std::shared_ptr<const ByteSource>(
            std::make_shared<MappedFile>(std::move(fd), nullptr, 0));
    void *address = faultable::mapReadOnly(fd.get(), static_cast<std::size_t>(size));
    if (address == MAP_FAILED)
        return unreadable("cannot map", errno);
    if (!guardMapping(address, static_cast<std::size_t>(size))) {
        ::munmap(address, static_cast<std::size_t>(size));
        return WaveError{WaveError::Kind::NoMemory, "too many files open", 0};
    }
    return std::shared_ptr<const ByteSource>(
        std::make_shared<MappedFile>(std::move(fd), address, size));
}
