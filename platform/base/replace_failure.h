// Why a file could not be replaced: what kind of refusal it was, the system's error number and
// a sentence naming the step and the file, for callers to turn into their own codes.
#pragma once

#include <cstdint>
#include <string>

struct ReplaceFailure {
    enum class Kind : uint8_t {
        NotRegular,   // a folder, device, FIFO or socket stands at the name; it is left alone
        NotPermitted, // the user may not write the file or its folder
        Failed,       // anything else: a full disk, a failing device, a missing folder
    };
    Kind kind;
    int error; // errno of the call that failed; 0 where no call failed
    std::string reason;
};

// "<what> <path>: <the system's text for error>", of the kind that error belongs to.
ReplaceFailure replaceFailure(const char *what, const std::string &path, int error);
