// A media session for tests: a device that holds one sound with the plain 44-byte header in
// memory, saves it to files and opens files, as the real device does for the working copies.
#pragma once

#include "wavedata/wave_session_view.h"
#include "wavedata/working_copy.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A file image with the plain 44-byte header and the given sample bytes.
std::vector<uint8_t> waveImage(int channels, int bits, int32_t rate,
                               const std::vector<uint8_t> &data);
std::vector<uint8_t> readFileBytes(const std::string &path);
void writeFileBytes(const std::string &path, const std::vector<uint8_t> &bytes);

class FakeWaveSession final : public WaveSessionView {
  public:
    // Opens hostFile, as the control's Open does.
    explicit FakeWaveSession(const std::string &hostFile);

    bool IsFileOpen() override { return fileOpen; }
    SoundFormat ReadFormat() override { return {GetNumChannels(), GetNumBits(), GetLength()}; }
    int32_t GetPosition() override { return deviceOpen ? position : 0; }
    int32_t GetLength();
    int16_t GetNumChannels();
    int16_t GetNumBits();
    int32_t RecordOneFrame() override;
    bool MakeWorkingCopy() override { return copies.makeNext(); }
    int32_t SaveWorkingCopy() override;
    void DiscardWorkingCopy() override { copies.dropNext(); }
    const std::string &WorkingCopyPath() const override { return copies.current(); }
    void CloseDevice() override {
        deviceOpen = false;
        if (onClose)
            onClose();
    }
    int32_t OpenWorkingCopy() override {
        OpenSession(copies.current());
        return code;
    }
    void CloseSession() override;
    int32_t SeekDevice(int32_t To) override {
        Seek(To);
        return code;
    }

    void OpenSession(const std::string &path);
    void Seek(int32_t To);

    std::vector<uint8_t> sound;
    std::string openedFile;
    bool deviceOpen = false;
    bool fileOpen = false;
    int32_t position = 0;
    // The outcome of the last operation, as the session stores it.
    int32_t code = 0;
    WorkingCopy copies;
    const std::string &workFile = copies.current();
    bool failSave = false;
    // Runs when the device closes, between the save of a working copy and its use.
    std::function<void()> onClose;
    bool failOpen = false;
    // The length the device reports instead of the sound's own, for sounds too large to make.
    std::optional<int32_t> reportedLength;
};
