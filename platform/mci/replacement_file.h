// A file written beside its target and renamed over it only when complete, so that the target
// holds either its old contents or the new ones, never a mixture.
#pragma once

#include "base/file_descriptor.h"
#include "mci/wave_error.h"

#include <optional>
#include <span>
#include <string>
#include <sys/types.h>

class ReplacementFile {
  public:
    explicit ReplacementFile(std::string target);
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;
    // Removes the temporary file unless it has replaced the target.
    ~ReplacementFile();

    // Creates the temporary file, readable by its owner only until it is complete.
    std::optional<WaveError> create();
    std::optional<WaveError> write(std::span<const std::byte> bytes);
    // Appends length bytes of the file `from` at offset, copied inside the kernel; gives how many
    // it copied, fewer where the kernel cannot copy between these files (the caller writes the
    // rest, and a failing disk then reports itself there).
    uint64_t copyFrom(int from, uint64_t offset, uint64_t length);
    // Gives the file the target's permissions (0644 for a new target), flushes it to disk and
    // renames it over the target.
    std::optional<WaveError> commit();

  private:
    std::string m_target;
    std::string m_temporary;
    FileDescriptor m_fd{-1};
    mode_t m_mode = 0644;
    bool m_committed = false;
};
