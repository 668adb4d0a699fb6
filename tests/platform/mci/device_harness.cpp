// The harness's files, window and printing.
#include "device_harness.h"

#include "mci/mci_constants.h"
#include "wave_builder.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

Sound numberedSound(WaveFormat format, uint32_t frames) {
    std::vector<std::byte> bytes;
    for (uint32_t n = 0; n < frames; ++n)
        appendLittle(bytes, n, 2);
    Sound sound(format);
    sound.append(makeMemorySource(std::move(bytes)), 0, frames);
    return sound;
}

const char *flagName(WPARAM flag) {
    switch (flag) {
    case MCI_NOTIFY_SUCCESSFUL:
        return "SUCCESSFUL";
    case MCI_NOTIFY_SUPERSEDED:
        return "SUPERSEDED";
    case MCI_NOTIFY_ABORTED:
        return "ABORTED";
    case MCI_NOTIFY_FAILURE:
        return "FAILURE";
    }
    return "?";
}

} // namespace

void PrintTo(const Notice &notice, std::ostream *out) {
    *out << flagName(notice.flag) << " for device " << notice.deviceId;
}

DeviceHarness::DeviceHarness() {
    m_files.emplace("/w/tone.wav", numberedSound({SampleEncoding::SignedInt16, 1, 8000, 16}, 8000));
    m_files.emplace("/w/odd rate.wav",
                    numberedSound({SampleEncoding::SignedInt16, 1, 11025, 16}, 100));
    m_files.emplace(kEmptyPath, numberedSound({SampleEncoding::SignedInt16, 1, 8000, 16}, 0));
    m_files.emplace("/w/no channels.wav", Sound({SampleEncoding::SignedInt16, 0, 8000, 16}));
    window = RegisterMessageWindow([this](UINT message, WPARAM flag, LPARAM id) {
        if (message != MM_MCINOTIFY)
            return;
        const std::lock_guard lock(m_lock);
        m_notices.push_back({flag, id});
        m_posted.notify_all();
    });
    WaveAudioServices services;
    services.openSound = [this](const std::string &path) -> WaveResult<Sound> {
        if (path == kBadPath)
            return WaveError{WaveError::Kind::NotWave, "no RIFF header", 0};
        const auto found = m_files.find(path);
        if (found == m_files.end())
            return WaveError{WaveError::Kind::NotFound, "no such file", 0};
        return found->second;
    };
    services.saveSound = [this](const Sound &sound,
                                const std::string &path) -> WaveResult<WaveSaved> {
        if (path == kUnwritablePath)
            return WaveError{WaveError::Kind::WriteFailed, "disk full", 0};
        if (path == kReadOnlyPath)
            return WaveError{WaveError::Kind::NotWritable, "Permission denied", 0};
        saves.emplace_back(path, sound.frameCount());
        return WaveSaved{};
    };
    services.backend = audio.backend();
    device = std::make_unique<WaveAudioDevice>(std::move(services));
}

DeviceHarness::~DeviceHarness() {
    // A stream held open for a play to follow would make the close wait for a buffer that no
    // one pulls: one pull ends it.
    audio.pump(1);
    device.reset();
    UnregisterMessageWindow(window);
}

DeviceHarness::Answer DeviceHarness::ask(const std::string &command, HWND callback) {
    char buffer[30];
    std::memset(buffer, 'x', sizeof buffer);
    const MCIERROR code = device->sendString(command.c_str(), buffer, sizeof buffer, callback);
    if (std::memchr(buffer, '\0', sizeof buffer) == nullptr)
        ADD_FAILURE() << "reply not terminated for " << command;
    return {{code}, std::string(buffer, strnlen(buffer, sizeof buffer))};
}

MciCode DeviceHarness::send(const std::string &command, HWND callback) {
    return {device->sendString(command.c_str(), nullptr, 0, callback)};
}

std::string DeviceHarness::reply(const std::string &command) {
    const Answer answer = ask(command);
    EXPECT_EQ(answer.code, MciCode{0}) << command;
    return answer.reply;
}

std::vector<Notice> DeviceHarness::takeNotices() {
    const std::lock_guard lock(m_lock);
    return std::exchange(m_notices, {});
}

void DeviceHarness::waitForNotices(std::size_t count) {
    std::unique_lock lock(m_lock);
    m_posted.wait(lock, [&] { return m_notices.size() >= count; });
}

void DeviceHarness::expectNotices(int line, const std::vector<Notice> &expected) {
    SCOPED_TRACE(testing::Message() << "notices checked at line " << line);
    EXPECT_EQ(takeNotices(), expected);
}
