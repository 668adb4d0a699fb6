// CNeloWavCtrl: the media session on one file: opening, closing and saving under this
// instance's alias.
//
// Every path reaches the device in its short form, so no name can split a command or pass for
// a keyword, and a long one travels as a token that keeps the command within its buffer. A path
// is refused before anything is sent when it cannot be found (the device's
// MCIERR_FILE_NOT_FOUND) or is longer than the system takes (MCIERR_FILENAME_REQUIRED, "The
// filename is invalid...").
#include "files/create_file.h"
#include "mci/mci_constants.h"
#include "mci/mci_send_string.h"
#include "mci/mci_trace.h"
#include "nelowav_ctrl.h"
#include "short_path_buffer.h"
#include "wavedata/error_codes.h"
#include "wavedata/find_header_size.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The device's answer to a file SaveAs could not make, or 0 where the name already stands or
// its folder is missing (which the short path reports as not found).
MCIERROR creationRefusal(int error) {
    if (error == EEXIST || error == ENOENT || error == ENOTDIR)
        return 0;
    return error == EACCES || error == EPERM || error == EROFS ? MCIERR_FILE_WRITE
                                                               : MCIERR_FILE_NOT_SAVED;
}

} // namespace

MCIERROR CNeloWavCtrl::SendCommand(const CommandText &command, char *reply, UINT replySize) {
    if (!command.fits())
        return kPathTooLong;
    return mciSendStringA(command.c_str(), reply, replySize, GetSafeHwnd());
}

void CNeloWavCtrl::OpenSession(const char *shortPath) {
    const std::string_view alias(m_szAlias);
    m_nErrorCode = static_cast<int32_t>(SendCommand(
        CommandText() << "open " << shortPath << " alias " << alias << " type waveaudio wait"));
    if (m_nErrorCode == 0)
        SendCommand(CommandText() << "set " << alias << " time format samples wait");
}

void CNeloWavCtrl::CloseSession() {
    SendCommand(CommandText() << "close " << m_szAlias << " wait");
    m_strWavFilename.clear();
    m_nHeaderSize = 0;
    m_bFileOpen = 0;
}

void CNeloWavCtrl::Open(const char *WavFilename) {
    CloseSession();
    ++g_nAliasCounter;
    std::snprintf(m_szAlias, sizeof m_szAlias, "%d", g_nAliasCounter);
    const ShortPath shortPath = TakeShortPath(WavFilename);
    m_nErrorCode = static_cast<int32_t>(shortPath.refusal);
    if (m_nErrorCode == 0)
        OpenSession(shortPath.text);
    if (m_nErrorCode != 0)
        return;
    m_strWavFilename = WavFilename;
    m_nHeaderSize = FindHeaderSize(shortPath.text);
    if (m_nHeaderSize == 0) {
        CloseSession();
        m_nErrorCode = kCodeHeaderSize;
        return;
    }
    m_bFileOpen = 1;
}

void CNeloWavCtrl::Close() {
    CloseSession();
}

void CNeloWavCtrl::SaveTo(const char *path) {
    const ShortPath shortPath = TakeShortPath(path);
    CommandText save;
    save << "save " << m_szAlias << " " << shortPath.text << " wait";
    // Refused before the empty-sound record below, which would otherwise change the sound for
    // a save that cannot happen.
    MCIERROR refusal = shortPath.refusal;
    if (refusal == 0 && !save.fits())
        refusal = kPathTooLong;
    if (refusal != 0) {
        m_nErrorCode = static_cast<int32_t>(refusal);
        return;
    }
    // A file is never saved without samples: an empty sound gets one first.
    if (GetLength() == 0) {
        const MCIERROR recorded =
            SendCommand(CommandText() << "record " << m_szAlias << " from 0 to 1 wait");
        if (recorded != 0) {
            m_nErrorCode = static_cast<int32_t>(recorded);
            return;
        }
    }
    m_nErrorCode = static_cast<int32_t>(SendCommand(save));
}

void CNeloWavCtrl::Save() {
    SaveTo(m_strWavFilename.c_str());
}

void CNeloWavCtrl::SaveAs(const char *WavFilename) {
    // Only makes sure the file exists: an existing file is left as it is, and the device's
    // save replaces the contents.
    const HANDLE file = CreateFileA(WavFilename, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool created = file != INVALID_HANDLE_VALUE;
    const int createError = errno;
    if (created) {
        CloseHandle(file);
    } else if (const MCIERROR refusal = creationRefusal(createError)) {
        // The short path of a file that could not be made would report it as not found.
        mciTrace("cannot create \"%s\": %s", WavFilename, std::strerror(createError));
        m_nErrorCode = static_cast<int32_t>(refusal);
        return;
    }
    SaveTo(WavFilename);
    if (m_nErrorCode == 0)
        m_strWavFilename = WavFilename;
    else if (created)
        std::remove(WavFilename); // the empty file made above, which the failed save left
}
