// The waveaudio command language: a text becomes a verb, a device name and the verb's
// arguments. The device resolves the name between the two steps, so that an alias that is not
// open is reported before anything wrong in the arguments, as the platform does.
#pragma once

#include "base/command_budget.h"
#include "mci/command_words.h"
#include "mci/device_enums.h"
#include "mci/device_fault.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Far beyond any command the control builds, yet a bound on the work a runaway text can cause.
inline constexpr std::size_t kMaxCommandLength = 64 * 1024;
static_assert(kMaxCommandLength > kLongestCommand);

struct CommandHead {
    CommandVerb verb;
    std::string device; // the alias, "all", or for open the file to open
    std::vector<CommandWord> arguments;
};

struct MciCommand {
    CommandVerb verb;
    std::string device;
    bool wait = false;
    bool notify = false;
    std::optional<std::string> alias; // open
    std::optional<std::string> type;  // open
    std::optional<std::string> file;  // save
    std::optional<uint32_t> from;     // play, record, delete
    std::optional<uint32_t> to;       // play, record, delete, and seek with SeekTarget::Position
    SeekTarget seekTarget = SeekTarget::None;
    std::optional<TimeFormat> timeFormat; // set
    std::optional<StatusItem> statusItem;
};

// EmptyCommand for a null or blank text (a null pointer names no command either: the
// platform's "null parameter block" is about the binary interface, which has no text).
DeviceResult<CommandHead> readCommandHead(const char *text);

DeviceResult<MciCommand> readCommandArguments(const CommandHead &head);
