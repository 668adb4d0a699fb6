// The working-copy cycle that every sample-level operation runs after its own checks: save the
// session's sound into a new working copy, close the device, let the operation read or rewrite
// that file, and reopen the session on it where it was.
#pragma once

#include "wavedata/error_codes.h"
#include "wavedata/wave_session_view.h"

#include <cstdint>
#include <functional>
#include <string>

struct WorkingCopyOperation {
    // One frame recorded before the save, so that the device has something to save when the
    // sound is empty.
    bool recordOneFrameFirst = false;
    // Works on the new working copy while the device is closed. Returns 0, or the code that
    // ends the operation once the session has been reopened on the working copy.
    std::function<int32_t(const std::string &workFile)> edit;
    // Report 0 after a successful reopen, whatever the seek back answered.
    bool clearCodeAfterReopen = false;
};

// Runs the cycle and gives its outcome; rememberedPosition is where the session is reopened.
int32_t RunWorkingCopyCycle(WaveSessionView &session, int32_t rememberedPosition,
                            const WorkingCopyOperation &operation);
