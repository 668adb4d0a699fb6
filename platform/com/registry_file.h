// The registry's file on disk: where it lives, its lock, and reading and replacing it whole.
// Every failure leaves its reason as the thread's last error detail.
#pragma once

#include "com/registry.h"

#include <cstddef>
#include <string>

// The largest registry file that is read. An update that would write more is refused, since
// every later read of the file would fail.
inline constexpr size_t kMaxRegistrySize = 64 * 1024 * 1024;

// The user's registry file as configured, before any link is followed; false when no
// acceptable path is configured.
bool configuredRegistryFile(std::string &path);

// The file that path finally names through symbolic links, which need not exist yet: the new
// file is written there, so that the links stay links.
bool resolveRegistryFile(const std::string &path, std::string &file);

// An exclusive lock on "<file>.lock" for the object's lifetime, also against other processes.
class RegistryLock {
  public:
    RegistryLock() = default;
    RegistryLock(const RegistryLock &) = delete;
    RegistryLock &operator=(const RegistryLock &) = delete;
    ~RegistryLock();

    // Creates missing folders on the way; waits a bounded time while another holder has the
    // lock, then fails saying so.
    bool acquire(const std::string &file);

  private:
    int m_fd = -1;
};

// A missing file is an empty registry; REGDB_E_READREGDB when the file cannot be read, is not
// a regular file, is larger than kMaxRegistrySize or is not registry text.
HRESULT readRegistryFile(const std::string &file, RegistryTree &out);

// Replaces file with text as a person's file is replaced (base/file_replacement.h): the old
// file's mode and owner kept, flushed to disk. REGDB_E_WRITEREGDB, with file untouched, when
// any step fails, file is not a regular file or text is larger than kMaxRegistrySize.
HRESULT replaceRegistryFile(const std::string &file, const std::string &text);
