// The media session as the sample-level operations see it: the control implements it with its
// command strings, the tests with a fake device over files. Paths are real file names; the
// implementation turns them into what its commands need.
#pragma once

#include <cstdint>
#include <string>

class WaveSessionView {
  public:
    virtual ~WaveSessionView() = default;

    virtual bool IsFileOpen() = 0;
    // The device's answers; 0 when it refuses.
    virtual int32_t GetPosition() = 0;
    virtual int32_t GetLength() = 0;
    virtual int16_t GetNumChannels() = 0;
    virtual int16_t GetNumBits() = 0;

    // Has the device save the current sound into path; the device's answer.
    virtual int32_t SaveTo(const std::string &path) = 0;
    // Has the device record one frame at the start of the sound, waiting; the device's answer.
    virtual int32_t RecordOneFrame() = 0;
    // Closes the device and ignores its answer; the session's own fields keep their values.
    virtual void CloseDevice() = 0;
    // The session's steps: open (storing the device's answer in the error code), close, seek.
    virtual void OpenSession(const std::string &path) = 0;
    virtual void CloseSession() = 0;
    virtual void Seek(int32_t To) = 0;

    // The instance's error code and working-copy name, which the operations update.
    virtual int32_t &ErrorCode() = 0;
    virtual std::string &WorkFile() = 0;
};
