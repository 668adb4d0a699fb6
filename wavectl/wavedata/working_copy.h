// WorkingCopy: the scratch file that a session runs on while its sound is edited, and the next
// one while the device saves the sound into it. Only the session that holds it makes, swaps and
// deletes them.
#pragma once

#include <string>

class WorkingCopy {
  public:
    WorkingCopy() = default;
    // Deletes both.
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy &) = delete;
    WorkingCopy &operator=(const WorkingCopy &) = delete;

    // The copy the session runs on; empty before the first.
    const std::string &current() const { return m_strWorkFile; }
    const std::string &next() const { return m_strNextWorkFile; }

    // Makes the empty file of the next copy; false when none can be made.
    bool makeNext();
    // The next copy, saved, takes the place of the current one, which is deleted.
    void takeNext();
    // Deletes the next copy, which was not saved.
    void dropNext();
    // Deletes the current copy, whose name a host is about to take for a file of its own.
    void dropCurrent();

  private:
    std::string m_strWorkFile;
    std::string m_strNextWorkFile;
};
