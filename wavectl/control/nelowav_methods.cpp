// CNeloWavCtrl: the methods of the dispatch interface that work on the sound. The media
// methods are the session's; the sample-level operations run on working copies through it.
#include "nelowav_ctrl.h"
#include "wavedata/sample_operations.h"

void CNeloWavCtrl::Open(std::string_view WavFilename) {
    m_session.Open(WavFilename);
}

void CNeloWavCtrl::Play(int32_t From, int32_t To, bool Wait) {
    m_session.Play(From, To, Wait);
}

void CNeloWavCtrl::Stop() {
    m_session.Stop();
}

void CNeloWavCtrl::Seek(int32_t To) {
    m_session.Seek(To);
}

int32_t CNeloWavCtrl::GetLength() {
    return m_session.GetLength();
}

int32_t CNeloWavCtrl::GetPosition() {
    return m_session.GetPosition();
}

int16_t CNeloWavCtrl::GetNumBits() {
    return m_session.GetNumBits();
}

int16_t CNeloWavCtrl::GetNumChannels() {
    return m_session.GetNumChannels();
}

void CNeloWavCtrl::WavFileToArray(int16_t *pArray, int32_t ArrayLength) {
    m_session.StoreOutcome(::WavFileToArray(m_session, pArray, ArrayLength));
}

void CNeloWavCtrl::ArrayToWavFile(int16_t *pArray, int32_t ArrayLength) {
    m_session.StoreOutcome(::ArrayToWavFile(m_session, pArray, ArrayLength));
}

int32_t CNeloWavCtrl::GetMode() {
    return m_session.GetMode();
}

void CNeloWavCtrl::Record(int32_t From, int32_t To, bool Wait) {
    m_session.Record(From, To, Wait);
}

void CNeloWavCtrl::Save() {
    m_session.Save();
}

void CNeloWavCtrl::Delete(int32_t From, int32_t To) {
    m_session.Delete(From, To);
}

void CNeloWavCtrl::Pause() {
    m_session.Pause();
}

void CNeloWavCtrl::SaveAs(std::string_view WavFilename) {
    m_session.SaveAs(WavFilename);
}

BSTR CNeloWavCtrl::GetWavFilename() {
    return bstrFromUtf8(m_session.GetWavFilename());
}

int32_t CNeloWavCtrl::GetSamplingRate() {
    return m_session.GetSamplingRate();
}

void CNeloWavCtrl::SetSamplingRate(int32_t SamplingRate) {
    m_session.StoreOutcome(::SetSamplingRate(m_session, SamplingRate));
}

void CNeloWavCtrl::Close() {
    m_session.Close();
}

void CNeloWavCtrl::ChangeVolume(int32_t From, int32_t To, float Factor) {
    m_session.StoreOutcome(::ChangeVolume(m_session, From, To, Factor));
}

void CNeloWavCtrl::Copy(int32_t From, int32_t To) {
    m_session.StoreOutcome(::Copy(m_session, From, To));
}

void CNeloWavCtrl::Paste(int32_t From, int32_t To) {
    m_session.StoreOutcome(::Paste(m_session, From, To));
}
