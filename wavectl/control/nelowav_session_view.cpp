// The session view over CNeloWavCtrl. The working copies live in the temporary folder, whose
// path may hold spaces, so they are shortened like every host path.
#include "nelowav_session_view.h"

#include "short_path_buffer.h"

bool NeloWavSessionView::IsFileOpen() {
    return m_control.m_bFileOpen != 0;
}

int32_t NeloWavSessionView::GetPosition() {
    return m_control.GetPosition();
}

int32_t NeloWavSessionView::GetLength() {
    return m_control.GetLength();
}

int16_t NeloWavSessionView::GetNumChannels() {
    return m_control.GetNumChannels();
}

int16_t NeloWavSessionView::GetNumBits() {
    return m_control.GetNumBits();
}

int32_t NeloWavSessionView::SaveTo(const std::string &path) {
    const ShortPath shortPath = TakeShortPath(path.c_str());
    if (shortPath.refusal != 0)
        return static_cast<int32_t>(shortPath.refusal);
    return static_cast<int32_t>(m_control.SendCommand(
        CommandText() << "save " << m_control.m_szAlias << " " << shortPath.text << " wait"));
}

int32_t NeloWavSessionView::RecordOneFrame() {
    return static_cast<int32_t>(m_control.SendCommand(
        CommandText() << "record " << m_control.m_szAlias << " from 0 to 1 wait"));
}

void NeloWavSessionView::CloseDevice() {
    m_control.SendCommand(CommandText() << "close " << m_control.m_szAlias << " wait");
}

void NeloWavSessionView::OpenSession(const std::string &path) {
    const ShortPath shortPath = TakeShortPath(path.c_str());
    if (shortPath.refusal != 0)
        m_control.m_nErrorCode = static_cast<int32_t>(shortPath.refusal);
    else
        m_control.OpenSession(shortPath.text);
}

void NeloWavSessionView::CloseSession() {
    m_control.CloseSession();
}

void NeloWavSessionView::Seek(int32_t To) {
    m_control.Seek(To);
}

int32_t &NeloWavSessionView::ErrorCode() {
    return m_control.m_nErrorCode;
}

std::string &NeloWavSessionView::WorkFile() {
    return m_control.m_strWorkFile;
}
