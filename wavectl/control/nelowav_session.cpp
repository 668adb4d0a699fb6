// NeloWavSession: opening, closing and saving under this instance's alias, and the raw steps
// that the working-copy cycle takes.
//
// Every path reaches the device in its short form, so no name can split a command or pass for
// a keyword, and a long one travels as a token that keeps the command within its buffer. A path
// is refused before anything is sent when it cannot be found (the device's
// MCIERR_FILE_NOT_FOUND), or is longer than the system takes or holds a zero byte
// (MCIERR_FILENAME_REQUIRED, "The filename is invalid...").
#include "nelowav_session.h"

#include "base/link_target.h"
#include "files/create_file.h"
#include "mci/mci_constants.h"
#include "mci/mci_send_string.h"
#include "mci/mci_trace.h"
#include "wavedata/error_codes.h"
#include "wavedata/find_header_size.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// The device's answer to a file that a save could not make, or 0 where the name already stands or
// its folder is missing (which the short path reports as not found). A name longer than the
// system takes is refused as every method refuses it.
MCIERROR creationRefusal(int error) {
    if (error == EEXIST || error == ENOENT || error == ENOTDIR)
        return 0;
    if (error == ENAMETOOLONG)
        return kPathTooLong;
    return error == EACCES || error == EPERM || error == EROFS ? MCIERR_FILE_WRITE
                                                               : MCIERR_FILE_NOT_SAVED;
}

// Whether the two names stand for one file, however each is spelled.
bool sameFile(const std::string &one, const std::string &other) {
    struct stat first {};
    struct stat second {};
    return !other.empty() && ::stat(one.c_str(), &first) == 0 &&
           ::stat(other.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace

int32_t g_nAliasCounter = 0;

NeloWavSession::NeloWavSession(HWND callbackWindow)
    : m_hwndCallback(callbackWindow) {
}

NeloWavSession::~NeloWavSession() {
    CloseSession();
}

MCIERROR NeloWavSession::SendCommand(const CommandText &command, char *reply, UINT replySize) {
    if (!command.fits())
        return kPathTooLong;
    return mciSendStringA(command.c_str(), reply, replySize, m_hwndCallback);
}

MCIERROR NeloWavSession::OpenSession(const ShortPath &shortPath) {
    if (shortPath.refusal != 0)
        return shortPath.refusal;
    const std::string_view alias(m_szAlias);
    const MCIERROR opened = SendCommand(CommandText() << "open " << shortPath.text << " alias "
                                                      << alias << " type waveaudio wait");
    if (opened == 0)
        SendCommand(CommandText() << "set " << alias << " time format samples wait");
    return opened;
}

// The working copies live in the temporary folder, whose path may hold spaces, so they are
// shortened like every host path.
int32_t NeloWavSession::OpenWorkingCopy() {
    return static_cast<int32_t>(OpenSession(TakeShortPath(m_workingCopy.current().c_str())));
}

void NeloWavSession::CloseDevice() {
    SendCommand(CommandText() << "close " << m_szAlias << " wait");
}

void NeloWavSession::CloseSession() {
    CloseDevice();
    m_strWavFilename.clear();
    m_bFileOpen = 0;
}

void NeloWavSession::Open(std::string_view WavFilename) {
    CloseSession();
    ++g_nAliasCounter;
    std::snprintf(m_szAlias, sizeof m_szAlias, "%d", g_nAliasCounter);
    const ShortPath shortPath = TakeShortPath(WavFilename);
    m_nErrorCode = static_cast<int32_t>(OpenSession(shortPath));
    if (m_nErrorCode != 0)
        return;
    m_strWavFilename = WavFilename;
    // Where the samples start is not kept: the edits work on the device's working copies, whose
    // samples follow its plain header, and a file without a data tag is refused here.
    if (FindHeaderSize(shortPath.text) == 0) {
        CloseSession();
        m_nErrorCode = kCodeHeaderSize;
        return;
    }
    m_bFileOpen = 1;
}

void NeloWavSession::Close() {
    CloseSession();
}

MCIERROR NeloWavSession::BuildSave(std::string_view path, CommandText &save) const {
    const ShortPath shortPath = TakeShortPath(path);
    save << "save " << m_szAlias << " " << shortPath.text << " wait";
    if (shortPath.refusal != 0)
        return shortPath.refusal;
    return save.fits() ? 0 : kPathTooLong;
}

int32_t NeloWavSession::SaveTo(const std::string &path) {
    CommandText save;
    if (const MCIERROR refusal = BuildSave(path, save))
        return static_cast<int32_t>(refusal);
    return static_cast<int32_t>(SendCommand(save));
}

int32_t NeloWavSession::SaveWorkingCopy() {
    const int32_t saved = SaveTo(m_workingCopy.next());
    if (saved == 0)
        m_workingCopy.takeNext();
    else
        m_workingCopy.dropNext();
    return saved;
}

int32_t NeloWavSession::RecordOneFrame() {
    return static_cast<int32_t>(
        SendCommand(CommandText() << "record " << m_szAlias << " from 0 to 1 wait"));
}

void NeloWavSession::SaveSound(std::string_view path) {
    // Refused before the empty-sound record below, which would otherwise change the sound for
    // a save that cannot happen.
    CommandText save;
    if (const MCIERROR refusal = BuildSave(path, save)) {
        m_nErrorCode = static_cast<int32_t>(refusal);
        return;
    }
    // A file is never saved without samples: an empty sound gets one first.
    if (GetLength() == 0) {
        if (const int32_t recorded = RecordOneFrame()) {
            m_nErrorCode = recorded;
            return;
        }
    }
    m_nErrorCode = static_cast<int32_t>(SendCommand(save));
}

void NeloWavSession::SaveCreating(const std::string &path) {
    // Only makes sure the file exists: an existing file is left as it is, and the device's
    // save replaces the contents. A file removed since it was opened is made again, and a link
    // that points nowhere gets the file it points to, as a save through any other link writes
    // that file. A link that another user planted in a shared folder is not followed here, and
    // the save refuses it.
    ReplaceFailure notFollowed{};
    const std::string made = followLinks(path, notFollowed).value_or(path);
    const HANDLE file = CreateFileA(made.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool created = file != INVALID_HANDLE_VALUE;
    const int createError = errno;
    if (created) {
        CloseHandle(file);
    } else if (const MCIERROR refusal = creationRefusal(createError)) {
        // The short path of a file that could not be made would report it as not found.
        mciTrace("cannot create \"%s\": %s", made.c_str(), std::strerror(createError));
        m_nErrorCode = static_cast<int32_t>(refusal);
        return;
    }
    SaveSound(path);
    if (m_nErrorCode != 0 && created)
        std::remove(made.c_str()); // the empty file made above, which the failed save left
}

void NeloWavSession::Save() {
    SaveCreating(m_strWavFilename);
}

void NeloWavSession::SaveAs(std::string_view WavFilename) {
    // Refused before the file is made: the system would take the name only up to its zero.
    if (WavFilename.find('\0') != std::string_view::npos) {
        m_nErrorCode = static_cast<int32_t>(kPathWithZero);
        return;
    }
    const std::string name(WavFilename);
    // A name the host chose is the host's, even the working copy's: the copy goes first, so
    // that the save makes a file of the host's own (durable, its mode by the umask) which no
    // later edit deletes. The session keeps its sound, which the device holds.
    if (sameFile(name, m_workingCopy.current()))
        m_workingCopy.dropCurrent();
    SaveCreating(name);
    if (m_nErrorCode == 0)
        m_strWavFilename = name;
}
