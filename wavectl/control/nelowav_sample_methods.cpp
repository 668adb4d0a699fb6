// CNeloWavCtrl: the sample-level operations, carried out on working copies through the
// control's session view.
#include "nelowav_ctrl.h"
#include "nelowav_session_view.h"
#include "wavedata/sample_operations.h"

void CNeloWavCtrl::WavFileToArray(int16_t *pArray, int32_t ArrayLength) {
    NeloWavSessionView session(*this);
    ::WavFileToArray(session, pArray, ArrayLength);
}

void CNeloWavCtrl::ArrayToWavFile(int16_t *pArray, int32_t ArrayLength) {
    NeloWavSessionView session(*this);
    ::ArrayToWavFile(session, pArray, ArrayLength);
}

void CNeloWavCtrl::SetSamplingRate(int32_t SamplingRate) {
    NeloWavSessionView session(*this);
    ::SetSamplingRate(session, SamplingRate);
}

void CNeloWavCtrl::ChangeVolume(int32_t From, int32_t To, float Factor) {
    NeloWavSessionView session(*this);
    ::ChangeVolume(session, From, To, Factor);
}

void CNeloWavCtrl::Copy(int32_t From, int32_t To) {
    NeloWavSessionView session(*this);
    ::Copy(session, From, To);
}

void CNeloWavCtrl::Paste(int32_t From, int32_t To) {
    NeloWavSessionView session(*this);
    ::Paste(session, From, To);
}
