// What went wrong in reading or writing a sound, and where: the device turns it into its error
// number only when it answers a command.
#pragma once

#include "base/result.h"

#include <cstdint>
#include <string>

struct WaveError {
    enum class Kind : uint8_t {
        NotFound,    // no such file
        Unreadable,  // the file exists but cannot be opened, mapped or read
        NotWave,     // not a RIFF WAVE file, or a required chunk is missing or malformed
        Truncated,   // cut off inside a header or a declared chunk
        Unsupported, // a well-formed file in a sample format the device cannot play
        NoMemory,
        WriteFailed, // a save could not be completed; the target was left as it was
        NotWritable, // the user may not write the target or its folder; left as it was
        Broken,      // the break key ended a save; the target was left as it was
    };
    Kind kind;
    std::string reason;  // a short phrase, e.g. "fmt chunk shorter than 16 bytes"
    uint64_t offset = 0; // the byte offset in the file at which it went wrong
};

// A value or the error that prevented it.
template <typename T> using WaveResult = Result<T, WaveError>;
