// Copy and Paste through the clip: one file of raw sample bytes in the temporary folder,
// shared by every control instance in the process and deleted when the module ends.
#include "base/faultable_calls.h"
#include "base/file_descriptor.h"
#include "base/little_endian.h"
#include "files/movable_memory.h"
#include "mci/wave_file.h"
#include "wavedata/chunked_transfer.h"
#include "wavedata/clip_file.h"
#include "wavedata/operation_checks.h"
#include "wavedata/sample_codec.h"
#include "wavedata/sample_operations.h"
#include "wavedata/scratch_file.h"
#include "wavedata/wav_buffer.h"
#include "wavedata/working_copy_cycle.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <span>
#include <unistd.h>

char g_szClipFile[PATH_MAX] = "";
int32_t g_nClipSize = 0;

namespace {

// The device writes its plain header into every working copy, whatever the host's file had.
constexpr auto kHeader = static_cast<int64_t>(kPlainWaveHeaderSize);

// A clip file removed since it was made (the temporary folder cleaned, or gone with its
// folder) is made anew, in the temporary folder of now, rather than failing every later Copy.
bool clipFileMissing() {
    struct stat info {};
    return g_szClipFile[0] == '\0' ||
           (faultable::stat(g_szClipFile, &info) != 0 && errno == ENOENT);
}

int32_t writeClip(const CWavBuffer &range) {
    if (clipFileMissing()) {
        const std::string made = MakeTemporaryFile("clp");
        if (made.empty() || made.size() >= sizeof g_szClipFile)
            return kCodeClipInaccessible;
        std::memcpy(g_szClipFile, made.c_str(), made.size() + 1);
    }
    if (!ReplaceFileContent(g_szClipFile, range.m_pData, range.m_nSize))
        return kCodeClipInaccessible;
    g_nClipSize = range.m_nSize;
    return 0;
}

// Reads count bytes at offset of path into block; false when fewer arrive.
bool readAt(const char *path, int64_t offset, uint8_t *block, int64_t count) {
    if (count == 0)
        return true;
    const FileDescriptor fd(faultable::open(path, O_RDONLY | O_CLOEXEC));
    return fd.valid() &&
           faultable::lseek(fd.get(), static_cast<off_t>(offset), SEEK_SET) == offset &&
           ReadInPieces(fd.get(), block, static_cast<int32_t>(count)) == count;
}

int64_t fileSize(const char *path) {
    const FileDescriptor fd(faultable::open(path, O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || faultable::fstat(fd.get(), &info) != 0)
        return -1;
    return info.st_size;
}

// The working copy with frames range.from through range.to replaced by the clip, ending at the
// last sample byte of the frames measured before the operation.
int32_t pasteInto(const std::string &workFile, ClampedFrames range, int32_t length,
                  int64_t frameBytes) {
    const int64_t size = fileSize(workFile.c_str());
    if (size < kHeader)
        return kCodeCannotCreateBuffer;
    if (fileSize(g_szClipFile) < g_nClipSize)
        return kCodeClipEmpty;
    const int64_t dataEnd = std::min(kHeader + frameBytes * length, size);
    const int64_t first = std::min(kHeader + range.from * frameBytes, dataEnd);
    const int64_t after = std::min(kHeader + (range.to + 1) * frameBytes, dataEnd);
    const int64_t total = first + g_nClipSize + (dataEnd - after);
    if (total > INT32_MAX)
        return kCodeCannotCreateBuffer;
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(total));
    auto *block = static_cast<uint8_t *>(GlobalLock(handle));
    int32_t code = kCodeCannotCreateBuffer;
    if (block != nullptr) {
        code = readAt(workFile.c_str(), 0, block, first) &&
                       readAt(g_szClipFile, 0, block + first, g_nClipSize) &&
                       readAt(workFile.c_str(), after, block + first + g_nClipSize, dataEnd - after)
                   ? 0
                   : kCodeClipEmpty;
    }
    if (code == 0) {
        const auto bytes =
            std::as_writable_bytes(std::span(block, static_cast<std::size_t>(total)));
        storeLittle32(bytes, 4, static_cast<uint32_t>(total - 8));
        storeLittle32(bytes, static_cast<std::size_t>(kHeader - 4),
                      static_cast<uint32_t>(total - kHeader));
        code = ReplaceFileContent(workFile, block, static_cast<int32_t>(total))
                   ? 0
                   : kCodeCannotSaveTmp;
    }
    GlobalUnlock(handle);
    GlobalFree(handle);
    return code;
}

} // namespace

int32_t Copy(WaveSessionView &session, int32_t From, int32_t To) {
    if (const int32_t refused = CheckFileOpen(session))
        return refused;
    const SoundFormat format = session.ReadFormat();
    if (const int32_t refused = CheckEightOrSixteenBits(format))
        return refused;
    const int64_t frameBytes = format.frameBytes();
    const int32_t remembered = session.GetPosition();
    const int32_t length = format.length;
    if (length == 0)
        return kCodeEmptyFile;
    const std::optional<ClampedFrames> range = ClampFrameRange(From, To, length);
    if (!range)
        return kCodeOutOfRange;
    // The range is loaded by its byte offsets in the working copy, which must fit a buffer's.
    if (const int32_t refused = CheckFitsOneBuffer((int64_t{range->to} + 1) * frameBytes))
        return refused;
    WorkingCopyOperation operation;
    operation.clearCodeAfterReopen = true;
    operation.edit = [&](const std::string &workFile) {
        const int64_t first = kHeader + range->from * frameBytes;
        const int64_t last = kHeader + (range->to + 1) * frameBytes - 1;
        CWavBuffer bytes;
        if (last > INT32_MAX || bytes.Load(workFile.c_str(), static_cast<int32_t>(first),
                                           static_cast<int32_t>(last)) == 0)
            return kCodeCannotCreateBuffer;
        return writeClip(bytes);
    };
    return RunWorkingCopyCycle(session, remembered, operation);
}

int32_t Paste(WaveSessionView &session, int32_t From, int32_t To) {
    if (const int32_t refused = CheckFileOpen(session))
        return refused;
    if (g_szClipFile[0] == '\0')
        return kCodeClipEmpty;
    const SoundFormat format = session.ReadFormat();
    if (const int32_t refused = CheckEightOrSixteenBits(format))
        return refused;
    // Part of a frame would move every later sample into the next channel.
    const int64_t frameBytes = format.frameBytes();
    if (frameBytes <= 0 || g_nClipSize % frameBytes != 0)
        return kCodeClipNotWholeFrames;
    const int32_t remembered = session.GetPosition();
    const int32_t length = format.length;
    const std::optional<ClampedFrames> range = ClampFrameRange(From, To, length);
    if (!range)
        return kCodeOutOfRange;
    const int64_t keptFrames = std::max<int64_t>(length - (range->to - range->from + 1), 0);
    if (const int32_t refused = CheckFitsOneBuffer(keptFrames * frameBytes + g_nClipSize))
        return refused;
    WorkingCopyOperation operation;
    operation.recordOneFrameFirst = length == 0;
    operation.clearCodeAfterReopen = true;
    operation.edit = [&](const std::string &workFile) {
        return pasteInto(workFile, *range, length, frameBytes);
    };
    return RunWorkingCopyCycle(session, remembered, operation);
}

void DeleteClipFile() {
    if (g_szClipFile[0] != '\0')
        faultable::unlink(g_szClipFile);
    g_szClipFile[0] = '\0';
    g_nClipSize = 0;
}
