// Why the waveaudio device refused a command: a small result type that the device passes
// around inside, turned into the platform's error number only where mciSendStringA answers.
#pragma once

#include "base/result.h"
#include "mci/mci_types.h"

#include <cstdint>

enum class DeviceFault : uint8_t {
    EmptyCommand,
    CommandTooLong,
    NoClosingQuote,
    ExtraCharacters,
    UnknownCommand,
    MissingDeviceName,
    UnknownKeyword,
    MissingParameter,
    MissingStringArgument,
    BadInteger,
    BadConstant,
    BadTimeFormat,
    ConflictingFlags,
    DuplicateFlag,
    CannotUseAll,
    AliasNotOpen,
    UnknownDeviceType,
    DuplicateAlias,
    FileNotFound,
    FileUnreadable,
    InvalidFile,
    OutOfMemory,
    OutOfRange,
    NotApplicable,
    FileNotSaved,
    FileNotWritable,
    UnnamedFile,
    ReplyTooLong,
    OutputUnavailable,
    InputUnavailable,
    WaitBroken,
};

// The platform's number for fault; only the command-string entry point asks.
MCIERROR mciErrorOf(DeviceFault fault);

struct Ok {};

// A value, or the fault that prevented it.
template <typename T> using DeviceResult = Result<T, DeviceFault>;
