// The media session as the sample-level operations see it: the control implements it with its
// command strings, the tests with a fake device over files. Each step answers with a value; the
// operations return their outcome, which the session stores as its error code.
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
