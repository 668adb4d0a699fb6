// CNeloWavCtrl: the sample-level operations. Each first checks that a file is open; the
// working-copy cycle behind them is not part of this module, so past that check they refuse
// with MCIERR_UNSUPPORTED_FUNCTION and change nothing, neither the file nor the host's array.
#include "mci/mci_constants.h"
#include "nelowav_ctrl.h"
#include "nelowav_error_codes.h"

void CNeloWavCtrl::RefuseSampleOperation() {
    m_nErrorCode =
        m_bFileOpen == 0 ? errFileNotOpen : static_cast<int32_t>(MCIERR_UNSUPPORTED_FUNCTION);
}

void CNeloWavCtrl::WavFileToArray(int16_t *, int32_t) {
    RefuseSampleOperation();
}

void CNeloWavCtrl::ArrayToWavFile(int16_t *, int32_t) {
    RefuseSampleOperation();
}

void CNeloWavCtrl::SetSamplingRate(int32_t) {
    RefuseSampleOperation();
}

void CNeloWavCtrl::ChangeVolume(int32_t, int32_t, float) {
    RefuseSampleOperation();
}

void CNeloWavCtrl::Copy(int32_t, int32_t) {
    RefuseSampleOperation();
}

void CNeloWavCtrl::Paste(int32_t, int32_t) {
    RefuseSampleOperation();
}
