// Creating the control and reaching its methods and its events.
#include "control_host.h"

#include "com/creation.h"
#include "com/dispatch_arguments.h"
#include "com/error_detail.h"
#include "com/registry.h"
#include "done_sink.h"

namespace {

// The code, and the runtime's words for what lay behind it.
std::string failure(const std::string &what, HRESULT hr) {
    const std::string &detail = lastErrorDetail();
    return what + ": " + hresultText(hr) + (detail.empty() ? "" : ": " + detail);
}

// The default source interface of the coclass whose default interface is primary.
HRESULT findEventInterface(ITypeInfo *primary, ComPtr<ITypeInfo> &events) {
    const TYPEATTR *primaryAttributes = nullptr;
    ComPtr<ITypeLib> library;
    HRESULT hr = primary->GetTypeAttr(&primaryAttributes);
    if (SUCCEEDED(hr))
        hr = primary->GetContainingTypeLib(library.put(), nullptr);
    if (FAILED(hr))
        return hr;
    for (uint32_t t = 0; t < library->GetTypeInfoCount(); ++t) {
        ComPtr<ITypeInfo> type;
        const TYPEATTR *attributes = nullptr;
        if (FAILED(library->GetTypeInfo(t, type.put())) || FAILED(type->GetTypeAttr(&attributes)) ||
            attributes->typekind != TKIND_COCLASS)
            continue;
        ComPtr<ITypeInfo> source;
        bool implementsPrimary = false;
        for (uint32_t i = 0; i < attributes->cImplTypes; ++i) {
            int32_t flags = 0;
            HREFTYPE reference = 0;
            ComPtr<ITypeInfo> implemented;
            const TYPEATTR *implementedAttributes = nullptr;
            if (FAILED(type->GetImplTypeFlags(i, &flags)) ||
                FAILED(type->GetRefTypeOfImplType(i, &reference)) ||
                FAILED(type->GetRefTypeInfo(reference, implemented.put())) ||
                FAILED(implemented->GetTypeAttr(&implementedAttributes)))
                continue;
            if ((flags & IMPLTYPEFLAG_FSOURCE) != 0 && (flags & IMPLTYPEFLAG_FDEFAULT) != 0)
                source = implemented;
            else if (implementedAttributes->guid == primaryAttributes->guid)
                implementsPrimary = true;
        }
        if (implementsPrimary && source) {
            events = source;
            return S_OK;
        }
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

} // namespace

ControlHost::~ControlHost() {
    if (m_connection)
        m_connection->Unadvise(m_cookie);
    m_connection.reset();
    m_control.reset();
    if (m_sink != nullptr)
        m_sink->Release();
}

HRESULT ControlHost::create(const char *progId, DoneHandler onDone, std::string &error) {
    clearLastErrorDetail();
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr)) {
        // A registry that cannot be read tells nothing of what is registered in it.
        error = hr == CO_E_CLASSSTRING
                    ? failure(std::string(progId) + " is not registered in " + Registry::path(), hr)
                    : failure("cannot look up " + std::string(progId), hr);
        return hr;
    }
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, m_control.putVoid());
    if (FAILED(hr)) {
        error = failure("cannot create " + std::string(progId), hr);
        return hr;
    }
    hr = m_control->GetTypeInfo(0, LOCALE_NEUTRAL, m_dispatchInfo.put());
    if (FAILED(hr)) {
        error = failure("cannot read the type information of " + std::string(progId), hr);
        return hr;
    }
    hr = adviseDone(std::move(onDone));
    if (FAILED(hr))
        error = failure("cannot connect to the events of " + std::string(progId), hr);
    return hr;
}

HRESULT ControlHost::adviseDone(DoneHandler onDone) {
    if (const HRESULT hr = findEventInterface(m_dispatchInfo.get(), m_eventsInfo); FAILED(hr))
        return hr;
    ITypeInfo *events = m_eventsInfo.get();
    const TYPEATTR *attributes = nullptr;
    if (const HRESULT hr = events->GetTypeAttr(&attributes); FAILED(hr))
        return hr;
    const OLECHAR *names[] = {u"Done"};
    MEMBERID doneId = MEMBERID_NIL;
    if (const HRESULT hr = events->GetIDsOfNames(names, 1, &doneId); FAILED(hr))
        return hr;
    ComPtr<IConnectionPointContainer> container;
    if (const HRESULT hr = m_control.queryInterface(IID_IConnectionPointContainer, container);
        FAILED(hr))
        return hr;
    if (const HRESULT hr = container->FindConnectionPoint(attributes->guid, m_connection.put());
        FAILED(hr))
        return hr;
    m_sink = new DoneSink(attributes->guid, doneId, std::move(onDone));
    return m_connection->Advise(m_sink, &m_cookie);
}

HRESULT ControlHost::findMethod(const std::string &name, const FUNCDESC **function) {
    const std::u16string wide = utf16FromUtf8(name);
    const OLECHAR *names[] = {wide.c_str()};
    DISPID dispid = DISPID_UNKNOWN;
    if (const HRESULT hr = m_dispatchInfo->GetIDsOfNames(names, 1, &dispid); FAILED(hr))
        return hr;
    return findFuncDesc(m_dispatchInfo.get(), dispid, function);
}

HRESULT ControlHost::invoke(const FUNCDESC &function, std::vector<VARIANT> &args, VARIANT *result) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<uint32_t>(reversed.size()), 0};
    return m_control->Invoke(function.memid, IID_NULL, LOCALE_NEUTRAL, DISPATCH_METHOD, &params,
                             result, nullptr, nullptr);
}

HRESULT ControlHost::errorCode(int32_t &code) {
    const FUNCDESC *function = nullptr;
    if (const HRESULT hr = findMethod("GetErrorCode", &function); FAILED(hr))
        return hr;
    std::vector<VARIANT> none;
    Variant result;
    if (const HRESULT hr = invoke(*function, none, result.get()); FAILED(hr))
        return hr;
    if (const HRESULT hr = result.changeType(VT_I4); FAILED(hr))
        return hr;
    code = result->lVal;
    return S_OK;
}
