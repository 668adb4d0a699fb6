// The NELOWAV control's own parts of hosting it: Done with its NotifyCode, and GetErrorCode.
#include "control_host.h"

HRESULT ControlHost::create(const char *progId, DoneHandler onDone, std::string &error) {
    if (const HRESULT hr = m_site.create(progId, error); FAILED(hr))
        return hr;
    DISPID doneId = DISPID_UNKNOWN;
    if (const HRESULT hr = m_site.findEvent("Done", doneId); FAILED(hr)) {
        error = "cannot connect to the events of " + std::string(progId) + ": " + hresultText(hr);
        return hr;
    }
    return m_site.advise(
        [doneId, onDone = std::move(onDone)](DISPID dispid, std::span<const VARIANT> args) {
            Variant code;
            // Other events, and a Done whose code is not a short, are not nelowav's to print.
            if (dispid == doneId && args.size() == 1 &&
                SUCCEEDED(VariantChangeType(code.get(), &args[0], 0, VT_I2)))
                onDone(code->iVal);
        },
        error);
}

HRESULT ControlHost::errorCode(int32_t &code) {
    Variant result;
    if (const HRESULT hr = m_site.invoke("GetErrorCode", {}, result.get()); FAILED(hr))
        return hr;
    if (const HRESULT hr = result.changeType(VT_I4); FAILED(hr))
        return hr;
    code = result->lVal;
    return S_OK;
}
