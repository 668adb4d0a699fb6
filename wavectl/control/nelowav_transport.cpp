// NeloWavSession: playing, recording, pausing, seeking and deleting in the open sound. Each
// method stores the device's answer to its command.
#include "nelowav_session.h"

#include <cstring>
#include <string>

namespace {

std::string fromPart(int32_t From) {
    return From == -1 ? std::string() : "from " + std::to_string(From);
}

std::string toPart(int32_t To) {
    return To == -1 ? std::string() : "to " + std::to_string(To);
}

} // namespace

void NeloWavSession::Play(int32_t From, int32_t To, bool Wait) {
    m_nErrorCode = static_cast<int32_t>(
        SendCommand(CommandText() << "play " << m_szAlias << " " << fromPart(From) << " "
                                  << toPart(To) << " notify " << (Wait ? "wait" : "")));
}

void NeloWavSession::Record(int32_t From, int32_t To, bool Wait) {
    // A record without an end runs until Stop, so it is never waited for.
    const bool waits = Wait && To != -1;
    m_nErrorCode = static_cast<int32_t>(
        SendCommand(CommandText() << "record " << m_szAlias << " " << fromPart(From) << " "
                                  << toPart(To) << " notify " << (waits ? "wait" : "")));
}

void NeloWavSession::Stop() {
    m_nErrorCode =
        static_cast<int32_t>(SendCommand(CommandText() << "stop " << m_szAlias << " wait"));
}

void NeloWavSession::Pause() {
    char mode[kStatusReplySize] = {};
    QueryStatus("mode", mode);
    const bool running = std::strcmp(mode, "playing") == 0 || std::strcmp(mode, "recording") == 0;
    m_nErrorCode = static_cast<int32_t>(
        SendCommand(CommandText() << (running ? "pause " : "resume ") << m_szAlias << " wait"));
}

void NeloWavSession::Seek(int32_t To) {
    m_nErrorCode = SeekDevice(To);
}

int32_t NeloWavSession::SeekDevice(int32_t To) {
    if (To == -1)
        To = GetLength();
    return static_cast<int32_t>(
        SendCommand(CommandText() << "seek " << m_szAlias << " to " << To << " wait"));
}

void NeloWavSession::Delete(int32_t From, int32_t To) {
    m_nErrorCode =
        static_cast<int32_t>(SendCommand(CommandText() << "delete " << m_szAlias << " from " << From
                                                       << " " << toPart(To) << " wait"));
}
