// The device's entry point and its commands. Faults stay DeviceFault values up to sendString,
// which alone turns them into the platform's numbers and fills the reply buffer.
#include "mci/wave_audio_device.h"

#include "base/ascii_case.h"
#include "base/short_path_codec.h"
#include "mci/command_parser.h"
#include "mci/completion_notice.h"
#include "mci/mci_constants.h"
#include "mci/mci_trace.h"
#include "mci/time_format.h"
#include "mci/wave_session.h"

#include <cstring>
#include <new>

struct WaveAudioDevice::Answer {
    // A command done at once on session; with notify its SUCCESSFUL goes out at once too.
    static Answer completed(const Session &session, const MciCommand &command,
                            std::string reply = {}) {
        return {std::move(reply), session, session->deviceId(), command.notify, 0};
    }
    // A close: the session is gone, but a notify still names its device id.
    static Answer closed(UINT deviceId, const MciCommand &command) {
        return {{}, nullptr, deviceId, command.notify, 0};
    }
    // A play or record under way: its notice waits for the stream's end, and so does a wait.
    static Answer streaming(const Session &session, const MciCommand &command, uint64_t stream) {
        return {{}, session, session->deviceId(), false, command.wait ? stream : 0};
    }

    std::string reply;
    Session session;           // the command's session while it stays open
    UINT deviceId = 0;         // for the notice of a command that completes at once
    bool noticeAtOnce = false; // SUCCESSFUL is posted, superseding the pending one, once the
                               // reply has fitted
    uint64_t waitForStream = 0;
};

namespace {

constexpr std::string_view kWaveAudioType = "waveaudio";

const char *modeName(SessionMode mode) {
    switch (mode) {
    case SessionMode::Stopped:
        return "stopped";
    case SessionMode::Playing:
        return "playing";
    case SessionMode::Recording:
        return "recording";
    case SessionMode::Paused:
        return "paused";
    }
    return "not ready";
}

DeviceFault openFault(const WaveError &error) {
    switch (error.kind) {
    case WaveError::Kind::NotFound:
        return DeviceFault::FileNotFound;
    case WaveError::Kind::Unreadable:
        return DeviceFault::FileUnreadable;
    case WaveError::Kind::NoMemory:
        return DeviceFault::OutOfMemory;
    case WaveError::Kind::NotWave:
    case WaveError::Kind::Truncated:
    case WaveError::Kind::Unsupported:
    case WaveError::Kind::WriteFailed:
    case WaveError::Kind::NotWritable:
    case WaveError::Kind::Broken:
        break;
    }
    return DeviceFault::InvalidFile;
}

// A name as the command gave it: file names travel percent-encoded, but one that does not
// decode is taken as it stands.
std::string decodedPath(const std::string &text) {
    return decodeShortPath(text).value_or(text);
}

std::optional<CompletionNotice> noticeOf(const MciCommand &command, HWND callback, UINT deviceId) {
    if (!command.notify)
        return std::nullopt;
    return CompletionNotice{callback, deviceId};
}

uint64_t framesOf(const WaveSession &session, uint32_t value) {
    return framesFromTime(value, session.timeFormat(), session.format().samplesPerSec);
}

uint64_t timeOf(const WaveSession &session, uint64_t frames) {
    return timeFromFrames(frames, session.timeFormat(), session.format().samplesPerSec);
}

// A range of frames from optional ends: first defaults to the position, last to the length.
DeviceResult<FrameRange> rangeOf(const WaveSession &session, const MciCommand &command) {
    const uint64_t length = session.length();
    const uint64_t first = command.from ? framesOf(session, *command.from) : session.position();
    const uint64_t last = command.to ? framesOf(session, *command.to) : length;
    if (first > length || last > length || last < first)
        return DeviceFault::OutOfRange;
    return FrameRange{first, last};
}

} // namespace

WaveAudioDevice::WaveAudioDevice(WaveAudioServices services)
    : m_services(std::move(services)) {
}

WaveAudioDevice::~WaveAudioDevice() {
    const std::lock_guard lock(m_commandLock);
    Notices ignored;
    for (const auto &[alias, session] : m_sessions)
        session->stop(ignored);
    m_sessions.clear();
}

MCIERROR WaveAudioDevice::sendString(const char *command, char *returnString, UINT returnLength,
                                     HWND callback) {
    const bool hasBuffer = returnString != nullptr && returnLength > 0;
    Notices posts;
    DeviceResult<Answer> answer = DeviceFault::OutOfMemory;
    {
        const std::lock_guard lock(m_commandLock);
        try {
            answer = carryOut(command, callback, posts);
            if (answer.ok() && hasBuffer && answer.value().reply.size() >= returnLength)
                answer = DeviceFault::ReplyTooLong;
            if (answer.ok() && answer.value().noticeAtOnce) {
                if (answer.value().session)
                    answer.value().session->supersede(posts);
                posts.push_back({{callback, answer.value().deviceId}, MCI_NOTIFY_SUCCESSFUL});
            }
        } catch (const std::bad_alloc &) {
            answer = DeviceFault::OutOfMemory;
        }
    }
    postNotices(posts);
    const MCIERROR code = answer.ok() ? 0 : mciErrorOf(answer.error());
    if (hasBuffer) {
        const std::string &reply = code == 0 ? answer.value().reply : std::string();
        std::memcpy(returnString, reply.c_str(), reply.size() + 1);
    }
    mciTrace("\"%.300s\" -> %u \"%s\"", command != nullptr ? command : "(null)", code,
             code == 0 ? answer.value().reply.c_str() : "");
    if (code != 0 || answer.value().waitForStream == 0 ||
        answer.value().session->waitUntilEnded(answer.value().waitForStream))
        return code;
    // As at the platform's break key, only the wait ends: what plays or records goes on.
    mciTrace("the wait of \"%.300s\" was broken", command);
    return mciErrorOf(DeviceFault::WaitBroken);
}

DeviceResult<WaveAudioDevice::Answer> WaveAudioDevice::carryOut(const char *text, HWND callback,
                                                                Notices &posts) {
    const DeviceResult<CommandHead> head = readCommandHead(text);
    if (!head.ok())
        return head.error();
    Session session;
    const bool all = isKeyword({head.value().device, false}, "all");
    if (head.value().verb != CommandVerb::Open) {
        if (all && head.value().verb != CommandVerb::Close)
            return DeviceFault::CannotUseAll;
        const auto found = m_sessions.find(asciiLowered(head.value().device));
        if (found == m_sessions.end() && !all)
            return DeviceFault::AliasNotOpen;
        if (found != m_sessions.end())
            session = found->second;
    }
    const DeviceResult<MciCommand> command = readCommandArguments(head.value());
    if (!command.ok())
        return command.error();
    if (command.value().verb == CommandVerb::Open)
        return open(command.value());
    if (!session)
        return closeAll(command.value(), callback, posts);
    return carryOutOn(session, command.value(), callback, posts);
}

DeviceResult<WaveAudioDevice::Answer> WaveAudioDevice::carryOutOn(const Session &session,
                                                                  const MciCommand &command,
                                                                  HWND callback, Notices &posts) {
    const Answer atOnce = Answer::completed(session, command);
    switch (command.verb) {
    case CommandVerb::Close:
        return close(session, command, posts);
    case CommandVerb::Set:
        session->setTimeFormat(*command.timeFormat);
        return atOnce;
    case CommandVerb::Status:
        return status(session, command);
    case CommandVerb::Play:
        return play(session, command, callback, posts);
    case CommandVerb::Record:
        return record(session, command, callback, posts);
    case CommandVerb::Stop:
        session->stop(posts);
        return atOnce;
    case CommandVerb::Pause:
    case CommandVerb::Resume: {
        const DeviceResult<Ok> done =
            command.verb == CommandVerb::Pause ? session->pause() : session->resume();
        if (!done.ok())
            return done.error();
        return atOnce;
    }
    case CommandVerb::Seek:
        return seek(session, command, posts);
    case CommandVerb::Delete:
        return erase(session, command, posts);
    case CommandVerb::Save:
        return save(session, command, posts);
    case CommandVerb::Open:
        break;
    }
    return DeviceFault::UnknownCommand;
}

DeviceResult<WaveAudioDevice::Answer> WaveAudioDevice::open(const MciCommand &command) {
    if (command.type && asciiLowered(*command.type) != kWaveAudioType)
        return DeviceFault::UnknownDeviceType;
    const std::string alias = asciiLowered(command.alias.value_or(command.device));
    if (alias == "all")
        return DeviceFault::CannotUseAll;
    if (m_sessions.contains(alias))
        return DeviceFault::DuplicateAlias;
    WaveResult<Sound> sound = m_services.openSound(decodedPath(command.device));
    if (!sound.ok()) {
        mciTrace("cannot open \"%s\": %s", command.device.c_str(), sound.error().reason.c_str());
        return openFault(sound.error());
    }
    // Frames of no bytes, or no rate, would make every position a division by zero.
    const WaveFormat &format = sound.value().format();
    if (format.bytesPerFrame() == 0 || format.samplesPerSec == 0)
        return DeviceFault::InvalidFile;
    const UINT deviceId = m_nextDeviceId;
    auto session =
        std::make_shared<WaveSession>(deviceId, std::move(sound.value()), *m_services.backend);
    m_sessions.emplace(alias, session);
    ++m_nextDeviceId;
    return Answer::completed(session, command, std::to_string(deviceId));
}

void WaveAudioDevice::forget(const Session &session) {
    std::erase_if(m_sessions, [&](const auto &entry) { return entry.second == session; });
    // Identifiers start again at 1 once nothing is open, as the platform numbers them.
    if (m_sessions.empty())
        m_nextDeviceId = 1;
}

DeviceResult<WaveAudioDevice::Answer>
WaveAudioDevice::close(const Session &session, const MciCommand &command, Notices &posts) {
    session->stop(posts);
    forget(session);
    return Answer::closed(session->deviceId(), command);
}

DeviceResult<WaveAudioDevice::Answer> WaveAudioDevice::closeAll(const MciCommand &command,
                                                                HWND callback, Notices &posts) {
    for (const auto &[alias, session] : m_sessions) {
        session->stop(posts);
        if (command.notify)
            posts.push_back({{callback, session->deviceId()}, MCI_NOTIFY_SUCCESSFUL});
    }
    m_sessions.clear();
    m_nextDeviceId = 1;
    return Answer{};
}

DeviceResult<WaveAudioDevice::Answer> WaveAudioDevice::status(const Session &session,
                                                              const MciCommand &command) {
    const WaveFormat &format = session->format();
    std::string reply;
    switch (*command.statusItem) {
    case StatusItem::Length:
        reply = std::to_string(timeOf(*session, session->length()));
        break;
    case StatusItem::Position:
        reply = std::to_string(timeOf(*session, session->position()));
        break;
    case StatusItem::BitsPerSample:
        reply = std::to_string(format.bitsPerSample);
        break;
    case StatusItem::Channels:
        reply = std::to_string(format.channels);
        break;
    case StatusItem::SamplesPerSec:
        reply = std::to_string(format.samplesPerSec);
        break;
    case StatusItem::BytesPerSec:
        reply = std::to_string(format.bytesPerSec());
        break;
    case StatusItem::Alignment:
        reply = std::to_string(format.bytesPerFrame());
        break;
    case StatusItem::Mode:
        reply = modeName(session->mode());
        break;
    }
    return Answer::completed(session, command, std::move(reply));
}

DeviceResult<WaveAudioDevice::Answer> WaveAudioDevice::play(const Session &session,
                                                            const MciCommand &command,
                                                            HWND callback, Notices &posts) {
    const DeviceResult<FrameRange> range = rangeOf(*session, command);
    if (!range.ok())
        return range.error();
    const DeviceResult<uint64_t> stream =
        session->play(range.value(), noticeOf(command, callback, session->deviceId()), posts);
    if (!stream.ok())
        return stream.error();
    return Answer::streaming(session, command, stream.value());
}

DeviceResult<WaveAudioDevice::Answer> WaveAudioDevice::record(const Session &session,
                                                              const MciCommand &command,
                                                              HWND callback, Notices &posts) {
    const uint64_t first = command.from ? framesOf(*session, *command.from) : session->position();
    if (first > session->length())
        return DeviceFault::OutOfRange;
    std::optional<uint64_t> frameCount;
    if (command.to) {
        const uint64_t last = framesOf(*session, *command.to);
        if (last < first)
            return DeviceFault::OutOfRange;
        frameCount = last - first;
    }
    const DeviceResult<uint64_t> stream =
        session->record(first, frameCount, noticeOf(command, callback, session->deviceId()), posts);
    if (!stream.ok())
        return stream.error();
    return Answer::streaming(session, command, stream.value());
}

DeviceResult<WaveAudioDevice::Answer>
WaveAudioDevice::seek(const Session &session, const MciCommand &command, Notices &posts) {
    const uint64_t length = session->length();
    uint64_t frame = 0;
    if (command.seekTarget == SeekTarget::End)
        frame = length;
    else if (command.seekTarget == SeekTarget::Position)
        frame = framesOf(*session, *command.to);
    if (frame > length)
        return DeviceFault::OutOfRange;
    session->seek(frame, posts);
    return Answer::completed(session, command);
}

DeviceResult<WaveAudioDevice::Answer>
WaveAudioDevice::erase(const Session &session, const MciCommand &command, Notices &posts) {
    const DeviceResult<FrameRange> range = rangeOf(*session, command);
    if (!range.ok())
        return range.error();
    session->erase(range.value(), posts);
    return Answer::completed(session, command);
}

DeviceResult<WaveAudioDevice::Answer>
WaveAudioDevice::save(const Session &session, const MciCommand &command, Notices &posts) {
    if (!command.file)
        return DeviceFault::UnnamedFile;
    const DeviceResult<Ok> saved =
        session->save(m_services.saveSound, decodedPath(*command.file), posts);
    if (!saved.ok())
        return saved.error();
    return Answer::completed(session, command);
}
