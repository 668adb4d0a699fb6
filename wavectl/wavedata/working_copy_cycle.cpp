// The working-copy cycle. Every step that can fail leaves the session either on the file it
// ran on or reopened on the newest working copy, and never touches the host's file.
#include "wavedata/working_copy_cycle.h"

#include "base/break_key.h"
#include "wavedata/operation_checks.h"

namespace {

// A step that fails while the break key is down was stopped by it, or would only keep a host
// that is ending: either way the host learns that the edit was abandoned.
int32_t failureCode(int32_t code) {
    return BreakKeyPressed() ? kCodeBroken : code;
}

// The session reopened on the working copy after a failed edit: closed if that fails, and the
// edit's code reported either way.
int32_t recoverAfterFailedEdit(WaveSessionView &session, int32_t rememberedPosition, int32_t code) {
    if (session.OpenWorkingCopy() != 0)
        session.CloseSession();
    session.SeekDevice(rememberedPosition);
    return code;
}

int32_t reopen(WaveSessionView &session, int32_t rememberedPosition, bool clearCode) {
    if (session.OpenWorkingCopy() != 0) {
        session.CloseSession();
        return kCodeCannotReopen;
    }
    const int32_t sought = session.SeekDevice(rememberedPosition);
    return clearCode ? 0 : sought;
}

// Saves the session into a new working copy; 0, or the code with which the operation stops.
int32_t saveNewWorkingCopy(WaveSessionView &session, const WorkingCopyOperation &operation) {
    if (!session.MakeWorkingCopy())
        return kCodeCannotSaveTmp;
    if (operation.recordOneFrameFirst) {
        if (const int32_t recorded = session.RecordOneFrame()) {
            session.DiscardWorkingCopy();
            return recorded;
        }
    }
    return session.SaveWorkingCopy() == 0 ? 0 : failureCode(kCodeCannotSaveTmp);
}

} // namespace

int32_t RunWorkingCopyCycle(WaveSessionView &session, int32_t rememberedPosition,
                            const WorkingCopyOperation &operation) {
    if (const int32_t saved = saveNewWorkingCopy(session, operation))
        return saved;
    session.CloseDevice();
    const std::string &workFile = session.WorkingCopyPath();
    const int32_t edited = operation.edit ? operation.edit(workFile) : 0;
    if (edited != 0)
        return recoverAfterFailedEdit(session, rememberedPosition, failureCode(edited));
    return reopen(session, rememberedPosition, operation.clearCodeAfterReopen);
}
