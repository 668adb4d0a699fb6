// The working-copy cycle. Every step that can fail leaves the session either on the file it
// ran on or reopened on the newest working copy, and never touches the host's file.
#include "wavedata/working_copy_cycle.h"

#include "base/background_release.h"
#include "base/break_key.h"
#include "base/faultable_calls.h"
#include "base/file_replacement.h"
#include "base/scratch_files.h"
#include "files/temp_files.h"
#include "wavedata/chunked_transfer.h"
#include "wavedata/operation_checks.h"

#include <algorithm>
#include <climits>
#include <span>

namespace {

// A step that fails while the break key is down was stopped by it, or would only keep a host
// that is ending: either way the host learns that the edit was abandoned.
int32_t failureCode(int32_t code) {
    return BreakKeyPressed() ? kCodeBroken : code;
}

// The system's limit rather than the platform's 300 bytes, so that any temporary folder the
// system takes holds the working copies.
constexpr DWORD kNameBufferSize = PATH_MAX;

// The session reopened on the working copy after a failed edit: closed if that fails, and the
// edit's code reported either way.
void recoverAfterFailedEdit(WaveSessionView &session, const std::string &workFile,
                            int32_t rememberedPosition, int32_t code) {
    session.OpenSession(workFile);
    if (session.ErrorCode() != 0)
        session.CloseSession();
    session.Seek(rememberedPosition);
    session.ErrorCode() = code;
}

void reopen(WaveSessionView &session, const std::string &workFile, int32_t rememberedPosition,
            bool clearCode) {
    session.OpenSession(workFile);
    if (session.ErrorCode() != 0) {
        session.CloseSession();
        session.ErrorCode() = kCodeCannotReopen;
        return;
    }
    session.Seek(rememberedPosition);
    if (clearCode)
        session.ErrorCode() = 0;
}

// Saves the session into a new working copy; false (with the code set) when it stops.
bool saveNewWorkingCopy(WaveSessionView &session, const WorkingCopyOperation &operation,
                        std::string &workFile) {
    workFile = MakeTemporaryFile("wav");
    if (workFile.empty()) {
        session.ErrorCode() = kCodeCannotSaveTmp;
        return false;
    }
    // Only the host's Save must reach the disk before it answers; the working copy is worth
    // nothing after a crash.
    MarkScratchFile(workFile);
    if (operation.recordIntoEmptySound && session.GetLength() == 0) {
        const int32_t recorded = session.RecordOneFrame();
        if (recorded != 0) {
            DeleteWorkingCopy(workFile);
            session.ErrorCode() = recorded;
            return false;
        }
    }
    if (session.SaveTo(workFile) != 0) {
        DeleteWorkingCopy(workFile);
        session.ErrorCode() = failureCode(kCodeCannotSaveTmp);
        return false;
    }
    DeleteWorkingCopy(session.WorkFile());
    session.WorkFile() = workFile;
    return true;
}

} // namespace

std::string MakeTemporaryFile(const char *prefix) {
    char folder[kNameBufferSize] = "";
    char name[kNameBufferSize] = "";
    const DWORD length = GetTempPathA(kNameBufferSize, folder);
    if (length == 0 || length >= kNameBufferSize)
        return {};
    if (GetTempFileNameA(folder, prefix, 0, name) == 0)
        return {};
    return name;
}

void DeleteWorkingCopy(const std::string &path) {
    HeldFile copy(path);
    faultable::unlink(path.c_str());
    copy.releaseInBackground();
    ForgetScratchFile(path);
}

bool ReplaceFileContent(const std::string &path, const uint8_t *data, int32_t size) {
    if (size < 0)
        return false;
    FileReplacement replacement(path, ReplacePolicy::Scratch);
    if (replacement.create())
        return false;
    const auto bytes = std::as_bytes(std::span(data, static_cast<std::size_t>(size)));
    for (std::size_t at = 0; at < bytes.size(); at += kTransferPiece) {
        if (at > 0 && BreakKeyPressed())
            return false;
        const std::size_t piece = std::min<std::size_t>(kTransferPiece, bytes.size() - at);
        if (replacement.write(bytes.subspan(at, piece)))
            return false;
    }
    return !replacement.commit();
}

void RunWorkingCopyCycle(WaveSessionView &session, int32_t rememberedPosition,
                         const WorkingCopyOperation &operation) {
    std::string workFile;
    if (!saveNewWorkingCopy(session, operation, workFile))
        return;
    if (operation.beforeClose)
        operation.beforeClose();
    session.CloseDevice();
    const int32_t edited = operation.edit ? operation.edit(workFile) : 0;
    if (edited != 0)
        recoverAfterFailedEdit(session, workFile, rememberedPosition, failureCode(edited));
    else
        reopen(session, workFile, rememberedPosition, operation.clearCodeAfterReopen);
}
