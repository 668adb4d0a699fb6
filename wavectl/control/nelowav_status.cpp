// NeloWavSession: the status queries. They never change the error code, and a query the device
// refuses answers 0.
#include "mci/mci_constants.h"
#include "nelowav_session.h"

#include <array>
#include <cctype>
#include <cstring>

namespace {

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

MCIERROR NeloWavSession::QueryStatus(const char *item, char *reply) {
    return SendCommand(CommandText() << "status " << m_szAlias << " " << item << " wait", reply,
                       kStatusReplySize);
}

int32_t NeloWavSession::QueryStatusNumber(const char *item) {
    char reply[kStatusReplySize] = {};
    if (QueryStatus(item, reply) != 0)
        return 0;
    return leadingDecimal(reply);
}

int32_t NeloWavSession::GetLength() {
    return QueryStatusNumber("length");
}

int32_t NeloWavSession::GetPosition() {
    return QueryStatusNumber("position");
}

int16_t NeloWavSession::GetNumBits() {
    return static_cast<int16_t>(QueryStatusNumber("bitspersample"));
}

int16_t NeloWavSession::GetNumChannels() {
    return static_cast<int16_t>(QueryStatusNumber("channels"));
}

int32_t NeloWavSession::GetSamplingRate() {
    return QueryStatusNumber("samplespersec");
}

int32_t NeloWavSession::GetMode() {
    char reply[kStatusReplySize] = {};
    if (QueryStatus("mode", reply) != 0)
        return 0;
    for (const ModeReply &mode : kModes)
        if (std::strcmp(reply, mode.reply) == 0)
            return mode.mode;
    return 0;
}
