// Reading the verb, the device name and each verb's keywords. Keywords may come in any order
// after the device name; each may be given once.
#include "mci/command_parser.h"

#include "base/ascii_case.h"
#include "mci/command_integer.h"

#include <cstring>
#include <span>
#include <string_view>

namespace {

struct VerbName {
    std::string_view name;
    CommandVerb verb;
};

constexpr VerbName kVerbs[] = {
    {"open", CommandVerb::Open},     {"close", CommandVerb::Close},
    {"set", CommandVerb::Set},       {"status", CommandVerb::Status},
    {"play", CommandVerb::Play},     {"record", CommandVerb::Record},
    {"stop", CommandVerb::Stop},     {"pause", CommandVerb::Pause},
    {"resume", CommandVerb::Resume}, {"seek", CommandVerb::Seek},
    {"delete", CommandVerb::Delete}, {"save", CommandVerb::Save},
};

struct StatusName {
    std::string_view name;
    StatusItem item;
};

constexpr StatusName kStatusItems[] = {
    {"length", StatusItem::Length},
    {"position", StatusItem::Position},
    {"bitspersample", StatusItem::BitsPerSample},
    {"channels", StatusItem::Channels},
    {"samplespersec", StatusItem::SamplesPerSec},
    {"bytespersec", StatusItem::BytesPerSec},
    {"alignment", StatusItem::Alignment},
    {"mode", StatusItem::Mode},
};

struct TimeFormatName {
    std::string_view name;
    TimeFormat format;
};

constexpr TimeFormatName kTimeFormats[] = {
    {"milliseconds", TimeFormat::Milliseconds},
    {"ms", TimeFormat::Milliseconds},
    {"samples", TimeFormat::Samples},
};

// Words that open takes after its device name; one of them in the device name's place means
// the name was left out.
constexpr std::string_view kOpenKeywords[] = {"alias", "type", "wait", "notify"};

template <typename Entry>
const Entry *findByName(std::span<const Entry> table, const CommandWord &word) {
    if (word.quoted)
        return nullptr;
    const std::string lower = asciiLowered(word.text);
    for (const Entry &entry : table)
        if (entry.name == lower)
            return &entry;
    return nullptr;
}

bool isOpenKeyword(const CommandWord &word) {
    for (const std::string_view keyword : kOpenKeywords)
        if (isKeyword(word, keyword))
            return true;
    return false;
}

class ArgumentReader {
  public:
    explicit ArgumentReader(const CommandHead &head)
        : m_words(head.arguments) {
        m_command.verb = head.verb;
        m_command.device = head.device;
    }

    DeviceResult<MciCommand> read() {
        while (m_at < m_words.size()) {
            const CommandWord &word = m_words[m_at++];
            const DeviceResult<Ok> read = readWord(word);
            if (!read.ok())
                return read.error();
        }
        const DeviceResult<Ok> complete = checkComplete();
        if (!complete.ok())
            return complete.error();
        return m_command;
    }

  private:
    DeviceResult<Ok> readWord(const CommandWord &word) {
        if (isKeyword(word, "wait"))
            return setFlag(m_command.wait);
        if (isKeyword(word, "notify"))
            return setFlag(m_command.notify);
        switch (m_command.verb) {
        case CommandVerb::Open:
            return readOpenWord(word);
        case CommandVerb::Set:
            return readSetWord(word);
        case CommandVerb::Status:
            return readStatusWord(word);
        case CommandVerb::Play:
        case CommandVerb::Record:
        case CommandVerb::Delete:
            return readRangeWord(word);
        case CommandVerb::Seek:
            return readSeekWord(word);
        case CommandVerb::Save:
            return readSaveWord(word);
        case CommandVerb::Close:
        case CommandVerb::Stop:
        case CommandVerb::Pause:
        case CommandVerb::Resume:
            break;
        }
        return DeviceFault::UnknownKeyword;
    }

    static DeviceResult<Ok> setFlag(bool &flag) {
        if (flag)
            return DeviceFault::DuplicateFlag;
        flag = true;
        return Ok{};
    }

    const CommandWord *nextWord() { return m_at < m_words.size() ? &m_words[m_at++] : nullptr; }

    DeviceResult<Ok> readNumber(std::optional<uint32_t> &into) {
        if (into)
            return DeviceFault::DuplicateFlag;
        const CommandWord *word = nextWord();
        if (word == nullptr)
            return DeviceFault::BadInteger;
        const DeviceResult<uint32_t> value = parseCommandInteger(word->text);
        if (!value.ok())
            return value.error();
        into = value.value();
        return Ok{};
    }

    DeviceResult<Ok> readText(std::optional<std::string> &into) {
        if (into)
            return DeviceFault::DuplicateFlag;
        const CommandWord *word = nextWord();
        if (word == nullptr)
            return DeviceFault::MissingStringArgument;
        into = word->text;
        return Ok{};
    }

    DeviceResult<Ok> readOpenWord(const CommandWord &word) {
        if (isKeyword(word, "alias"))
            return readText(m_command.alias);
        if (isKeyword(word, "type"))
            return readText(m_command.type);
        return DeviceFault::UnknownKeyword;
    }

    DeviceResult<Ok> readSetWord(const CommandWord &word) {
        if (!isKeyword(word, "time"))
            return DeviceFault::UnknownKeyword;
        const CommandWord *format = nextWord();
        if (format == nullptr)
            return DeviceFault::MissingParameter;
        if (!isKeyword(*format, "format"))
            return DeviceFault::UnknownKeyword;
        if (m_command.timeFormat)
            return DeviceFault::DuplicateFlag;
        const CommandWord *value = nextWord();
        if (value == nullptr)
            return DeviceFault::MissingParameter;
        const TimeFormatName *name = findByName<TimeFormatName>(kTimeFormats, *value);
        if (name == nullptr)
            return DeviceFault::BadTimeFormat;
        m_command.timeFormat = name->format;
        return Ok{};
    }

    DeviceResult<Ok> readStatusWord(const CommandWord &word) {
        const StatusName *name = findByName<StatusName>(kStatusItems, word);
        if (name == nullptr)
            return DeviceFault::BadConstant;
        if (m_command.statusItem)
            return m_command.statusItem == name->item ? DeviceFault::DuplicateFlag
                                                      : DeviceFault::ConflictingFlags;
        m_command.statusItem = name->item;
        return Ok{};
    }

    DeviceResult<Ok> readRangeWord(const CommandWord &word) {
        if (isKeyword(word, "from"))
            return readNumber(m_command.from);
        if (isKeyword(word, "to"))
            return readNumber(m_command.to);
        return DeviceFault::UnknownKeyword;
    }

    DeviceResult<Ok> readSeekWord(const CommandWord &word) {
        if (!isKeyword(word, "to"))
            return DeviceFault::UnknownKeyword;
        const CommandWord *target = nextWord();
        if (target == nullptr)
            return DeviceFault::BadInteger;
        SeekTarget named = SeekTarget::Position;
        if (isKeyword(*target, "start"))
            named = SeekTarget::Start;
        else if (isKeyword(*target, "end"))
            named = SeekTarget::End;
        if (m_command.seekTarget != SeekTarget::None)
            return m_command.seekTarget == named ? DeviceFault::DuplicateFlag
                                                 : DeviceFault::ConflictingFlags;
        if (named == SeekTarget::Position) {
            const DeviceResult<uint32_t> value = parseCommandInteger(target->text);
            if (!value.ok())
                return value.error();
            m_command.to = value.value();
        }
        m_command.seekTarget = named;
        return Ok{};
    }

    // The file is the first word that is not a flag; the control sends it right after the
    // alias, and its encoded form can never be a keyword.
    DeviceResult<Ok> readSaveWord(const CommandWord &word) {
        if (m_command.file)
            return DeviceFault::UnknownKeyword;
        m_command.file = word.text;
        return Ok{};
    }

    DeviceResult<Ok> checkComplete() const {
        switch (m_command.verb) {
        case CommandVerb::Set:
            return m_command.timeFormat ? DeviceResult<Ok>(Ok{}) : DeviceFault::MissingParameter;
        case CommandVerb::Status:
            return m_command.statusItem ? DeviceResult<Ok>(Ok{}) : DeviceFault::MissingParameter;
        case CommandVerb::Seek:
            return m_command.seekTarget != SeekTarget::None ? DeviceResult<Ok>(Ok{})
                                                            : DeviceFault::MissingParameter;
        default:
            return Ok{};
        }
    }

    std::span<const CommandWord> m_words;
    std::size_t m_at = 0;
    MciCommand m_command{};
};

} // namespace

DeviceResult<CommandHead> readCommandHead(const char *text) {
    if (text == nullptr)
        return DeviceFault::EmptyCommand;
    const std::size_t length = ::strnlen(text, kMaxCommandLength + 1);
    if (length > kMaxCommandLength)
        return DeviceFault::CommandTooLong;
    DeviceResult<std::vector<CommandWord>> words = splitCommandWords({text, length});
    if (!words.ok())
        return words.error();
    std::vector<CommandWord> &all = words.value();
    if (all.empty())
        return DeviceFault::EmptyCommand;
    const VerbName *verb = findByName<VerbName>(kVerbs, all[0]);
    if (verb == nullptr)
        return DeviceFault::UnknownCommand;
    if (all.size() < 2 || (verb->verb == CommandVerb::Open && isOpenKeyword(all[1])))
        return DeviceFault::MissingDeviceName;
    CommandHead head{verb->verb, std::move(all[1].text), {}};
    head.arguments.assign(std::make_move_iterator(all.begin() + 2),
                          std::make_move_iterator(all.end()));
    return head;
}

DeviceResult<MciCommand> readCommandArguments(const CommandHead &head) {
    return ArgumentReader(head).read();
}
