// A waveaudio device over in-memory files and the fake back end, driven by command strings
// only, with a window that collects its completion messages. Error codes and notices print by
// name when a check fails.
#pragma once

#include "fake_audio.h"
#include "mci/wave_audio_device.h"
#include "mci_code.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

struct Notice {
    WPARAM flag;
    LPARAM deviceId;
    bool operator==(const Notice &) const = default;
};
void PrintTo(const Notice &notice, std::ostream *out);

// 16-bit mono at 8000 Hz whose frame n holds the sample n: 8000 frames, one second.
inline constexpr const char *kTonePath = "/w/tone.wav";
// 100 frames at 11025 Hz, a rate at which milliseconds and frames do not divide.
inline constexpr const char *kOddRatePath = "/w/odd%20rate.wav";
// A sound with no frames.
inline constexpr const char *kEmptyPath = "/w/empty.wav";
// A file that is not a WAV file.
inline constexpr const char *kBadPath = "/w/bad.wav";
// saveSound fails for this path.
inline constexpr const char *kUnwritablePath = "/full/out.wav";
inline constexpr const char *kReadOnlyPath = "/read-only/out.wav";

class DeviceHarness {
  public:
    DeviceHarness();
    ~DeviceHarness();
    DeviceHarness(const DeviceHarness &) = delete;
    DeviceHarness &operator=(const DeviceHarness &) = delete;

    struct Answer {
        MciCode code;
        std::string reply;
    };
    // Sends with a 30-byte reply buffer filled with 'x' beforehand.
    Answer ask(const std::string &command, HWND callback);
    Answer ask(const std::string &command) { return ask(command, window); }
    // Sends with no reply buffer.
    MciCode send(const std::string &command, HWND callback);
    MciCode send(const std::string &command) { return send(command, window); }
    // The reply of a command that must succeed.
    std::string reply(const std::string &command);

    std::vector<Notice> takeNotices();
    void waitForNotices(std::size_t count);
    // Checks the notices posted since the last check; `line` names the caller's line.
    void expectNotices(int line, const std::vector<Notice> &expected);

    FakeAudio audio;
    HWND window = nullptr;
    std::unique_ptr<WaveAudioDevice> device;
    // What saveSound was given: the path and the frame count.
    std::vector<std::pair<std::string, uint64_t>> saves;

  private:
    std::map<std::string, Sound> m_files;
    std::mutex m_lock;
    std::condition_variable m_posted;
    // Guarded by m_lock.
    std::vector<Notice> m_notices;
};

// The float a frame of the tone file plays as.
inline float toneSample(uint64_t frame) {
    return static_cast<float>(frame) / 32768.0f;
}
