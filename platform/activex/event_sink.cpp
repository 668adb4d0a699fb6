// Receiving a control's events for a host.
#include "activex/event_sink.h"

#include <iterator>
#include <vector>

EventSink::EventSink(const IID &eventInterface, Handler handler)
    : m_eventInterface(eventInterface)
    , m_handler(std::move(handler)) {
}

void EventSink::disconnect() {
    m_handler = nullptr;
}

void *EventSink::findOtherInterface(REFIID riid) {
    return riid == m_eventInterface ? static_cast<IDispatch *>(this) : nullptr;
}

HRESULT EventSink::GetTypeInfoCount(uint32_t *pctinfo) {
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(uint32_t, LCID, ITypeInfo **ppTInfo) {
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT EventSink::GetIDsOfNames(REFIID, const OLECHAR *const *, uint32_t, LCID, DISPID *) {
    return E_NOTIMPL;
}

HRESULT EventSink::Invoke(DISPID dispIdMember, REFIID, LCID, uint16_t, DISPPARAMS *pDispParams,
                          VARIANT *, EXCEPINFO *, uint32_t *) {
    if (pDispParams != nullptr && pDispParams->cNamedArgs > 0)
        return DISP_E_NONAMEDARGS;
    if (pDispParams != nullptr && pDispParams->cArgs > 0 && pDispParams->rgvarg == nullptr)
        return E_POINTER;
    // The handler is the host's code, called from inside the control: nothing it throws may
    // travel back through the control.
    try {
        return catchOutOfMemory([&] {
            // Copied first: the handler may disconnect the sink or release the host owning it.
            const Handler handler = m_handler;
            if (!handler)
                return S_OK;
            const ComPtr<IUnknown> keepAlive(static_cast<IDispatch *>(this));
            std::vector<VARIANT> inOrder;
            if (pDispParams != nullptr)
                inOrder.assign(std::make_reverse_iterator(pDispParams->rgvarg + pDispParams->cArgs),
                               std::make_reverse_iterator(pDispParams->rgvarg));
            handler(dispIdMember, inOrder);
            return S_OK;
        });
    } catch (...) {
        return DISP_E_EXCEPTION;
    }
}
