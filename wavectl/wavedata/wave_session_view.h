// The media session as the sample-level operations see it: the control implements it with its
// command strings, the tests with a fake device over files. Each step answers with a value; the
// operations return their outcome, which the session stores as its error code.
#pragma once

#include <cstdint>
#include <string>

// The sound's format as the device reports it, each value 0 where the device refuses.
struct SoundFormat {
    int16_t channels = 0;
    int16_t bits = 0;
    // In frames.
    int32_t length = 0;

    int64_t samples() const { return int64_t{channels} * length; }
    // The bytes of one frame: one sample of every channel.
    int64_t frameBytes() const { return int64_t{channels} * (bits / 8); }
};

class WaveSessionView {
  public:
    virtual ~WaveSessionView() = default;

    virtual bool IsFileOpen() = 0;
    // The device's answers, each operation asking once.
    virtual SoundFormat ReadFormat() = 0;
    virtual int32_t GetPosition() = 0;

    // Has the device record one frame at the start of the sound, waiting; the device's answer.
    virtual int32_t RecordOneFrame() = 0;

    // The session's working copy, which the session alone makes, swaps and deletes. Makes the
    // empty file of the next copy; false when none can be made.
    virtual bool MakeWorkingCopy() = 0;
    // Has the device save the sound into the next copy; the device's answer. Saved, the next
    // copy takes the place of the one before, which is deleted; refused, it is deleted.
    virtual int32_t SaveWorkingCopy() = 0;
    // Deletes the next copy before it was saved.
    virtual void DiscardWorkingCopy() = 0;
    // The path of the copy the session runs on; empty before the first.
    virtual const std::string &WorkingCopyPath() const = 0;

    // Closes the device and ignores its answer; the session's own fields keep their values.
    virtual void CloseDevice() = 0;
    // Opens the device on the working copy, in sample time; the device's answer.
    virtual int32_t OpenWorkingCopy() = 0;
    virtual void CloseSession() = 0;
    // Moves the device to frame To; the device's answer.
    virtual int32_t SeekDevice(int32_t To) = 0;
};
