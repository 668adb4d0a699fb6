// Replacing a file whole: the new contents go to a file beside the target that takes the
// target's name only when complete, so the name holds either the old contents or all the new
// ones. One policy for a person's files and one for the program's own scratch files.
#pragma once

#include "base/file_descriptor.h"
#include "base/replace_failure.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <sys/stat.h>

enum class ReplacePolicy : uint8_t {
    // A person's file (a saved sound, the registry, an array file): a symbolic link is followed
    // and the file it points to replaced; the file keeps its mode, its owner where the writer
    // may give it away (root) and its group where the writer may set it (root, or a member of
    // the group); a new file gets 0666 less the umask; a file the user may not write is
    // refused; file and folder are flushed to disk before success.
    Durable,
    // The program's own file in the temporary folder (a working copy, the clip): always its
    // owner's alone (0600); a link planted at the name is replaced, never written through;
    // nothing is forced to disk, since such a file is worth nothing after a crash.
    Scratch,
};

class FileReplacement {
  public:
    FileReplacement(std::string target, ReplacePolicy policy);
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;
    // Without a commit the target is left as it was, and no file of this replacement remains.
    ~FileReplacement();

    // Checks the target and makes the file beside it. A target that is not a regular file is
    // refused (NotRegular), and so is one its user may not write (NotPermitted); root may.
    std::optional<ReplaceFailure> create();
    std::optional<ReplaceFailure> write(std::span<const std::byte> bytes);
    // Appends length bytes of the file `from` at offset, copied inside the kernel; gives how
    // many it copied, fewer where the kernel cannot copy between these files (the caller writes
    // the rest, and a failing disk then reports itself there).
    uint64_t copyFrom(int from, uint64_t offset, uint64_t length);
    // Starts writing what the file holds so far to disk without waiting for it, so that the
    // flush of a durable commit finds most of it done; nothing for a scratch file.
    void startWriteBack();
    // Puts the new file in the target's place.
    std::optional<ReplaceFailure> commit();

  private:
    std::optional<ReplaceFailure> inspectTarget();
    std::optional<ReplaceFailure> createNamed(mode_t mode);
    std::optional<ReplaceFailure> keepAttributes();
    std::optional<ReplaceFailure> linkIntoPlace();
    std::optional<ReplaceFailure> takeTargetsPlace();

    std::string m_target;
    ReplacePolicy m_policy;
    // The target's folder, which every name below is relative to, and the target's name in it.
    FileDescriptor m_folder{-1};
    std::string m_name;
    // The hidden name ".<target's name>.XXXXXX" beside the target; it exists on disk only while
    // a named temporary is in use (m_named) or during the step that renames it over the target.
    std::string m_temporary;
    bool m_named = false;
    std::optional<struct stat> m_existing;
    FileDescriptor m_fd{-1};
};
