// Replacing a file atomically: temporary file in the target's folder, fsync, rename, and fsync
// of the folder so that the new name survives a crash too.
#include "mci/replacement_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

WaveError writeFailure(const char *what, int error) {
    return {WaveError::Kind::WriteFailed, std::string(what) + ": " + std::strerror(error), 0};
}

std::filesystem::path folderOf(const std::string &target) {
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

} // namespace

ReplacementFile::ReplacementFile(std::string target)
    : m_target(std::move(target)) {
}

ReplacementFile::~ReplacementFile() {
    if (!m_temporary.empty() && !m_committed)
        faultable::unlink(m_temporary.c_str());
}

std::optional<WaveError> ReplacementFile::create() {
    // The same folder, so that the rename stays within one file system; a hidden name, so that
    // file pickers do not offer a half-written file.
    const std::string name = std::filesystem::path(m_target).filename().string();
    std::string pattern = (folderOf(m_target) / ("." + name + ".XXXXXX")).string();
    m_fd = FileDescriptor(faultable::makeTemporary(pattern.data(), O_CLOEXEC));
    if (!m_fd.valid())
        return writeFailure("cannot create a file beside the target", errno);
    m_temporary = std::move(pattern);
    struct stat old {};
    if (faultable::stat(m_target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        m_mode = old.st_mode & 07777;
    return std::nullopt;
}

std::optional<WaveError> ReplacementFile::write(std::span<const std::byte> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = faultable::write(m_fd.get(), bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return writeFailure("cannot write", errno);
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return std::nullopt;
}

uint64_t ReplacementFile::copyFrom(int from, uint64_t offset, uint64_t length) {
    uint64_t copied = 0;
    while (copied < length) {
        auto at = static_cast<off64_t>(offset + copied);
        const ssize_t put = faultable::copyFileRange(from, &at, m_fd.get(),
                                                     static_cast<std::size_t>(length - copied));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        copied += static_cast<uint64_t>(put);
    }
    return copied;
}

std::optional<WaveError> ReplacementFile::commit() {
    if (::fchmod(m_fd.get(), m_mode) != 0)
        return writeFailure("cannot set the permissions", errno);
    if (faultable::fsync(m_fd.get()) != 0)
        return writeFailure("cannot flush to disk", errno);
    // Some file systems report a failed write only when the file is closed.
    if (!m_fd.close())
        return writeFailure("cannot close", errno);
    if (faultable::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return writeFailure("cannot replace the target", errno);
    m_committed = true;
    // The target now holds the new contents whatever follows; a failed folder sync only leaves
    // the new name less durable, which is no reason to report the save as failed.
    FileDescriptor folder(::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
    return std::nullopt;
}
