// An open file descriptor that is closed when its owner goes, so that every early return in
// file code closes what it opened.
#pragma once

#include "base/faultable_calls.h"

#include <utility>

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd)
        : m_fd(fd) {}
    FileDescriptor(FileDescriptor &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor &operator=(FileDescriptor &&other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ~FileDescriptor() {
        if (m_fd >= 0)
            faultable::close(m_fd);
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and reports whether the close went through (it may report a late write error).
    bool close() { return faultable::close(std::exchange(m_fd, -1)) == 0; }

  private:
    int m_fd;
};
