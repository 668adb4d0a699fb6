// Taking the last name from a large file frees its blocks and cached pages there and then, tens
// of milliseconds for a long sound, which the caller need not wait for. Held open across the
// step that takes the name, the file is freed by the last close instead, on a thread of its own.
// The name goes at once either way, so nothing is left behind if the process ends first: the
// kernel then frees the file as the process exits.
#pragma once

#include <string>

class HeldFile {
  public:
    // Holds the regular file at path (never through a link) when it is large enough for the
    // freeing to matter; holds nothing otherwise, or when it cannot be opened.
    explicit HeldFile(const std::string &path);
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    // Closes here, where a file whose name remains frees nothing.
    ~HeldFile();

    // Call once the name is gone: closes on a thread of its own (here when none can start).
    void releaseInBackground();

  private:
    int m_fd = -1;
};
