// The waveaudio device: command strings in, sessions by alias, playing and recording through
// an audio back end, completion messages out. Its file and audio services are injected, so
// tests run it with fakes and the built-in device with the real ones.
#pragma once

#include "mci/audio_backend.h"
#include "mci/device_fault.h"
#include "mci/mci_device.h"
#include "mci/sound.h"
#include "mci/wave_error.h"
#include "mci/wave_file.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

// All three must be given.
struct WaveAudioServices {
    std::function<WaveResult<Sound>(const std::string &path)> openSound; // openWaveFile
    std::function<WaveResult<WaveSaved>(const Sound &, const std::string &path)>
        saveSound;                         // saveWaveFile
    std::unique_ptr<AudioBackend> backend; // makeDefaultBackend()
};

class WaveSession;
struct MciCommand;
struct NoticeToPost;

class WaveAudioDevice final : public MciDevice {
  public:
    explicit WaveAudioDevice(WaveAudioServices services);
    // Closes every session, stopping its stream; posts nothing.
    ~WaveAudioDevice() override;
    WaveAudioDevice(const WaveAudioDevice &) = delete;
    WaveAudioDevice &operator=(const WaveAudioDevice &) = delete;

    // Safe from any thread; commands run one at a time, and one that waits for its play or
    // record lets others run meanwhile.
    MCIERROR sendString(const char *command, char *returnString, UINT returnLength,
                        HWND callback) override;

  private:
    struct Answer;
    using Session = std::shared_ptr<WaveSession>;
    using Notices = std::vector<NoticeToPost>;

    DeviceResult<Answer> carryOut(const char *text, HWND callback, Notices &posts);
    DeviceResult<Answer> carryOutOn(const Session &session, const MciCommand &command,
                                    HWND callback, Notices &posts);
    DeviceResult<Answer> open(const MciCommand &command);
    DeviceResult<Answer> close(const Session &session, const MciCommand &command, Notices &posts);
    DeviceResult<Answer> closeAll(const MciCommand &command, HWND callback, Notices &posts);
    DeviceResult<Answer> status(const Session &session, const MciCommand &command);
    DeviceResult<Answer> play(const Session &session, const MciCommand &command, HWND callback,
                              Notices &posts);
    DeviceResult<Answer> record(const Session &session, const MciCommand &command, HWND callback,
                                Notices &posts);
    DeviceResult<Answer> seek(const Session &session, const MciCommand &command, Notices &posts);
    DeviceResult<Answer> erase(const Session &session, const MciCommand &command, Notices &posts);
    DeviceResult<Answer> save(const Session &session, const MciCommand &command, Notices &posts);
    void forget(const Session &session);

    WaveAudioServices m_services;

    // Held for the whole of each command except a wait; stream callbacks never take it.
    std::mutex m_commandLock;
    // Guarded by m_commandLock: the sessions by alias in lower case, and the next identifier.
    std::map<std::string, Session> m_sessions;
    UINT m_nextDeviceId = 1;
};
