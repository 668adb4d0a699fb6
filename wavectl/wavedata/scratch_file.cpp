// Scratch files are never flushed: each is worth nothing after a crash.
#include "wavedata/scratch_file.h"

#include "base/background_release.h"
#include "base/break_key.h"
#include "base/faultable_calls.h"
#include "base/file_replacement.h"
#include "base/scratch_files.h"
#include "files/temp_files.h"
#include "wavedata/chunked_transfer.h"

#include <climits>
#include <span>

namespace {

// The system's limit rather than the platform's 300 bytes, so that any temporary folder the
// system takes holds the working copies.
constexpr DWORD kNameBufferSize = PATH_MAX;

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
    return InBreakablePieces(bytes.size(), kTransferPiece,
                             [&](std::size_t first, std::size_t count) {
                                 return !replacement.write(bytes.subspan(first, count));
                             }) &&
           !replacement.commit();
}
