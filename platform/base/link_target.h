// The file that a name finally stands for once its symbolic links are followed, so that a save
// writes the file a link points to and the link stays a link.
#pragma once

#include "base/replace_failure.h"

#include <optional>
#include <string>

// The path reached through the links at path, which need not exist yet (a link may point to a
// file still to be made); path itself when it is no link. A link that another user planted in
// a shared folder with the sticky bit (/tmp) is not followed, as the kernel refuses to open
// through one: following it would let that user aim the write at any file.
std::optional<std::string> followLinks(const std::string &path, ReplaceFailure &failure);
