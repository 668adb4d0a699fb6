// CNeloWavCtrl: the media command session. Commands go to the media device under this
// instance's alias, and each command method stores the device's answer.
//
// Opening and saving need the short form of the host's path, which the file services give;
// until the module has them, Open, Save and SaveAs refuse with MCIERR_UNSUPPORTED_FUNCTION
// rather than pass an unprotected path (spaces, quotes, keywords) into a command.
#include "mci/mci_constants.h"
#include "mci/mci_send_string.h"
#include "nelowav_ctrl.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

// The device's status replies are read into a buffer of this size.
constexpr UINT kReplySize = 30;

struct ModeReply {
    const char *reply;
    int32_t mode;
};

constexpr std::array kModes = {
    ModeReply{"not ready", MCI_MODE_NOT_READY}, ModeReply{"stopped", MCI_MODE_STOP},
    ModeReply{"playing", MCI_MODE_PLAY},        ModeReply{"recording", MCI_MODE_RECORD},
    ModeReply{"seeking", MCI_MODE_SEEK},        ModeReply{"paused", MCI_MODE_PAUSE},
    ModeReply{"open", MCI_MODE_OPEN},
};

std::string fromPart(int32_t From) {
    return From == -1 ? std::string() : "from " + std::to_string(From);
}

std::string toPart(int32_t To) {
    return To == -1 ? std::string() : "to " + std::to_string(To);
}

int32_t leadingDecimal(const char *reply) {
    int64_t value = 0;
    for (const char *c = reply; std::isdigit(static_cast<unsigned char>(*c)) != 0; ++c) {
        value = value * 10 + (*c - '0');
        if (value > INT32_MAX)
            return 0;
    }
    return static_cast<int32_t>(value);
}

} // namespace

MCIERROR CNeloWavCtrl::SendCommand(const std::string &command) {
    return mciSendStringA(command.c_str(), nullptr, 0, GetSafeHwnd());
}

int32_t CNeloWavCtrl::QueryStatusNumber(const char *item) {
    char reply[kReplySize] = {};
    const std::string command = "status " + std::string(m_szAlias) + " " + item + " wait";
    if (mciSendStringA(command.c_str(), reply, kReplySize, GetSafeHwnd()) != 0)
        return 0;
    return leadingDecimal(reply);
}

void CNeloWavCtrl::CloseSession() {
    SendCommand("close " + std::string(m_szAlias) + " wait");
    m_strWavFilename.clear();
    m_nHeaderSize = 0;
    m_bFileOpen = 0;
}

void CNeloWavCtrl::Open(const char *) {
    CloseSession();
    ++g_nAliasCounter;
    std::snprintf(m_szAlias, sizeof m_szAlias, "%d", g_nAliasCounter);
    m_nErrorCode = static_cast<int32_t>(MCIERR_UNSUPPORTED_FUNCTION);
}

void CNeloWavCtrl::Close() {
    CloseSession();
}

void CNeloWavCtrl::Play(int32_t From, int32_t To, bool Wait) {
    const std::string command = "play " + std::string(m_szAlias) + " " + fromPart(From) + " " +
                                toPart(To) + " notify " + (Wait ? "wait" : "");
    m_nErrorCode = static_cast<int32_t>(SendCommand(command));
}

void CNeloWavCtrl::Record(int32_t From, int32_t To, bool Wait) {
    // A record without an end runs until Stop, so it is never waited for.
    const bool waits = Wait && To != -1;
    const std::string command = "record " + std::string(m_szAlias) + " " + fromPart(From) + " " +
                                toPart(To) + " notify " + (waits ? "wait" : "");
    m_nErrorCode = static_cast<int32_t>(SendCommand(command));
}

void CNeloWavCtrl::Stop() {
    m_nErrorCode = static_cast<int32_t>(SendCommand("stop " + std::string(m_szAlias) + " wait"));
}

void CNeloWavCtrl::Pause() {
    char mode[kReplySize] = {};
    const std::string alias(m_szAlias);
    mciSendStringA(("status " + alias + " mode wait").c_str(), mode, kReplySize, GetSafeHwnd());
    const bool running = std::strcmp(mode, "playing") == 0 || std::strcmp(mode, "recording") == 0;
    m_nErrorCode =
        static_cast<int32_t>(SendCommand((running ? "pause " : "resume ") + alias + " wait"));
}

void CNeloWavCtrl::Seek(int32_t To) {
    if (To == -1)
        To = GetLength();
    m_nErrorCode = static_cast<int32_t>(
        SendCommand("seek " + std::string(m_szAlias) + " to " + std::to_string(To) + " wait"));
}

void CNeloWavCtrl::Delete(int32_t From, int32_t To) {
    const std::string command = "delete " + std::string(m_szAlias) + " from " +
                                std::to_string(From) + " " + toPart(To) + " wait";
    m_nErrorCode = static_cast<int32_t>(SendCommand(command));
}

void CNeloWavCtrl::Save() {
    m_nErrorCode = static_cast<int32_t>(MCIERR_UNSUPPORTED_FUNCTION);
}

void CNeloWavCtrl::SaveAs(const char *) {
    m_nErrorCode = static_cast<int32_t>(MCIERR_UNSUPPORTED_FUNCTION);
}

int32_t CNeloWavCtrl::GetLength() {
    return QueryStatusNumber("length");
}

int32_t CNeloWavCtrl::GetPosition() {
    return QueryStatusNumber("position");
}

int16_t CNeloWavCtrl::GetNumBits() {
    return static_cast<int16_t>(QueryStatusNumber("bitspersample"));
}

int16_t CNeloWavCtrl::GetNumChannels() {
    return static_cast<int16_t>(QueryStatusNumber("channels"));
}

int32_t CNeloWavCtrl::GetSamplingRate() {
    return QueryStatusNumber("samplespersec");
}

int32_t CNeloWavCtrl::GetMode() {
    char reply[kReplySize] = {};
    const std::string command = "status " + std::string(m_szAlias) + " mode wait";
    if (mciSendStringA(command.c_str(), reply, kReplySize, GetSafeHwnd()) != 0)
        return 0;
    for (const ModeReply &mode : kModes)
        if (std::strcmp(reply, mode.reply) == 0)
            return mode.mode;
    return 0;
}

BSTR CNeloWavCtrl::GetWavFilename() {
    return bstrFromUtf8(m_strWavFilename);
}
