// The short form of a path in the buffer that the session's commands take it from, or the
// code that refuses it before anything is sent.
#pragma once

#include "command_text.h"
#include "mci/mci_constants.h"

#include <string_view>

// A path that cannot be found is refused with the device's own code for it.
inline constexpr MCIERROR kPathNotFound = MCIERR_FILE_NOT_FOUND;
// A path longer than the system takes, or a command too long for its buffer, which only a
// path could make: "The filename is invalid...".
inline constexpr MCIERROR kPathTooLong = MCIERR_FILENAME_REQUIRED;
// A name holding a zero byte, where the system would cut it short and name another file: "The
// filename is invalid...".
inline constexpr MCIERROR kPathWithZero = MCIERR_FILENAME_REQUIRED;

struct ShortPath {
    char text[CommandText::kBufferSize] = {};
    MCIERROR refusal = 0;
};

ShortPath TakeShortPath(std::string_view path);
