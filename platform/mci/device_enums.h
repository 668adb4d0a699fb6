// The values a command names that outlive its parsing: the verb, a session's time format, a
// status item and a seek target.
#pragma once

#include <cstdint>

enum class CommandVerb : uint8_t {
    Open,
    Close,
    Set,
    Status,
    Play,
    Record,
    Stop,
    Pause,
    Resume,
    Seek,
    Delete,
    Save
};

enum class TimeFormat : uint8_t { Milliseconds, Samples };

enum class StatusItem : uint8_t {
    Length,
    Position,
    BitsPerSample,
    Channels,
    SamplesPerSec,
    BytesPerSec,
    Alignment,
    Mode
};

enum class SeekTarget : uint8_t { None, Start, End, Position };
