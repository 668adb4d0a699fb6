// Receiving Done.
#include "done_sink.h"

DoneSink::DoneSink(const IID &eventInterface, DISPID doneId, std::function<void(int16_t)> onDone)
    : m_eventInterface(eventInterface)
    , m_doneId(doneId)
    , m_onDone(std::move(onDone)) {
}

HRESULT DoneSink::QueryInterface(REFIID riid, void **ppvObject) {
    if (ppvObject == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == m_eventInterface) {
        *ppvObject = static_cast<IDispatch *>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

uint32_t DoneSink::AddRef() {
    return ++m_refCount;
}

uint32_t DoneSink::Release() {
    const uint32_t count = --m_refCount;
    if (count == 0)
        delete this;
    return count;
}

HRESULT DoneSink::GetTypeInfoCount(uint32_t *pctinfo) {
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT DoneSink::GetTypeInfo(uint32_t, LCID, ITypeInfo **ppTInfo) {
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT DoneSink::GetIDsOfNames(REFIID, const OLECHAR *const *, uint32_t, LCID, DISPID *) {
    return E_NOTIMPL;
}

HRESULT DoneSink::Invoke(DISPID dispIdMember, REFIID, LCID, uint16_t, DISPPARAMS *pDispParams,
                         VARIANT *, EXCEPINFO *, uint32_t *) {
    if (dispIdMember != m_doneId)
        return S_OK;
    if (pDispParams == nullptr || pDispParams->cArgs != 1)
        return DISP_E_BADPARAMCOUNT;
    Variant code;
    if (FAILED(VariantChangeType(code.get(), &pDispParams->rgvarg[0], 0, VT_I2)))
        return DISP_E_TYPEMISMATCH;
    m_onDone(code->iVal);
    return S_OK;
}
