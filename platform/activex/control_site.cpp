// Creating a control for a host, and reaching its methods and its events.
#include "activex/control_site.h"

#include "activex/ole_interfaces.h"
#include "com/creation.h"
#include "com/dispatch_arguments.h"
#include "com/error_detail.h"
#include "com/registry.h"

#include <vector>

namespace {

// The code, and the runtime's words for what lay behind it.
std::string failure(const std::string &what, HRESULT hr) {
    const std::string &detail = lastErrorDetail();
    return what + ": " + hresultText(hr) + (detail.empty() ? "" : ": " + detail);
}

// Whether the coclass type lists primary among the interfaces it implements; source, when it
// has a default source interface, receives that one.
bool implementsPrimary(ITypeInfo &type, const GUID &primary, ComPtr<ITypeInfo> &source) {
    const TYPEATTR *attributes = nullptr;
    if (FAILED(type.GetTypeAttr(&attributes)) || attributes->typekind != TKIND_COCLASS)
        return false;
    bool found = false;
    for (uint32_t i = 0; i < attributes->cImplTypes; ++i) {
        int32_t flags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> implemented;
        const TYPEATTR *implementedAttributes = nullptr;
        if (FAILED(type.GetImplTypeFlags(i, &flags)) ||
            FAILED(type.GetRefTypeOfImplType(i, &reference)) ||
            FAILED(type.GetRefTypeInfo(reference, implemented.put())) ||
            FAILED(implemented->GetTypeAttr(&implementedAttributes)))
            continue;
        if ((flags & IMPLTYPEFLAG_FSOURCE) != 0 && (flags & IMPLTYPEFLAG_FDEFAULT) != 0)
            source = implemented;
        else if (implementedAttributes->guid == primary)
            found = true;
    }
    return found;
}

// The default source interface of the coclass, in primary's library, whose default interface
// is primary: a control's event interface.
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
        ComPtr<ITypeInfo> source;
        if (SUCCEEDED(library->GetTypeInfo(t, type.put())) &&
            implementsPrimary(*type, primaryAttributes->guid, source) && source) {
            events = source;
            return S_OK;
        }
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

} // namespace

ControlSite::~ControlSite() {
    close();
}

HRESULT ControlSite::create(const char *progId, std::string &error) {
    close();
    clearLastErrorDetail();
    if (progId == nullptr || *progId == '\0') {
        error = failure("no ProgID given", E_INVALIDARG);
        return E_INVALIDARG;
    }
    CLSID clsid{};
    if (const HRESULT hr = CLSIDFromProgID(progId, &clsid); FAILED(hr)) {
        // A registry that cannot be read tells nothing of what is registered in it.
        error = hr == CO_E_CLASSSTRING
                    ? failure(std::string(progId) + " is not registered in " + Registry::path(), hr)
                    : failure("cannot look up " + std::string(progId), hr);
        return hr;
    }
    return createNamed(clsid, progId, error);
}

HRESULT ControlSite::create(REFCLSID clsid, std::string &error) {
    close();
    clearLastErrorDetail();
    return createNamed(clsid, guidToString(clsid), error);
}

HRESULT ControlSite::createNamed(REFCLSID clsid, const std::string &name, std::string &error) {
    m_name = name;
    m_thread = std::this_thread::get_id();
    HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, m_control.putVoid());
    if (FAILED(hr)) {
        error = failure("cannot create " + m_name, hr);
        return hr;
    }
    hr = m_control->GetTypeInfo(0, LOCALE_NEUTRAL, m_methodsInfo.put());
    if (FAILED(hr)) {
        error = failure("cannot read the type information of " + m_name, hr);
        close();
        return hr;
    }
    // A control without events is still a control; advise says so if asked.
    if (FAILED(findEventInterface(m_methodsInfo.get(), m_eventsInfo)))
        m_eventsInfo.reset();
    return S_OK;
}

HRESULT ControlSite::advise(EventHandler handler, std::string &error) {
    const HRESULT hr = connect(std::move(handler));
    if (FAILED(hr))
        error = failure("cannot connect to the events of " + m_name, hr);
    return hr;
}

HRESULT ControlSite::connect(EventHandler handler) {
    if (!m_control || m_connection)
        return E_UNEXPECTED;
    if (!m_eventsInfo)
        return TYPE_E_ELEMENTNOTFOUND;
    const TYPEATTR *attributes = nullptr;
    if (const HRESULT hr = m_eventsInfo->GetTypeAttr(&attributes); FAILED(hr))
        return hr;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> connection;
    if (const HRESULT hr = m_control.queryInterface(IID_IConnectionPointContainer, container);
        FAILED(hr))
        return hr;
    if (const HRESULT hr = container->FindConnectionPoint(attributes->guid, connection.put());
        FAILED(hr))
        return hr;
    ComPtr<EventSink> sink;
    if (const HRESULT hr = catchOutOfMemory([&] {
            sink = ComPtr<EventSink>::attach(
                new EventSink(attributes->guid, counting(std::move(handler))));
            return S_OK;
        });
        FAILED(hr))
        return hr;
    if (const HRESULT hr = connection->Advise(sink.get(), &m_cookie); FAILED(hr))
        return hr;
    m_connection = std::move(connection);
    m_sink = std::move(sink);
    return S_OK;
}

EventSink::Handler ControlSite::counting(EventHandler handler) {
    return [this, handler = std::move(handler)](DISPID dispid, std::span<const VARIANT> args) {
        // Before the handler, which may destroy the site.
        ++m_eventsSeen;
        if (m_stopWaiting)
            m_stopWaiting();
        if (handler)
            handler(dispid, args);
    };
}

void ControlSite::close() {
    if (m_connection)
        m_connection->Unadvise(m_cookie);
    // Should the control keep the sink regardless, its events now go nowhere.
    if (m_sink)
        m_sink->disconnect();
    ComPtr<IOleObject> object;
    if (m_control && SUCCEEDED(m_control.queryInterface(IID_IOleObject, object)))
        object->Close();
    m_connection.reset();
    m_sink.reset();
    m_cookie = 0;
    m_eventsInfo.reset();
    m_methodsInfo.reset();
    m_control.reset();
}

HRESULT ControlSite::findMethod(const std::string &name, const FUNCDESC **function) const {
    if (!m_methodsInfo)
        return E_UNEXPECTED;
    return catchOutOfMemory([&] {
        const std::u16string wide = utf16FromUtf8(name);
        const OLECHAR *names[] = {wide.c_str()};
        DISPID dispid = DISPID_UNKNOWN;
        if (const HRESULT hr = m_methodsInfo->GetIDsOfNames(names, 1, &dispid); FAILED(hr))
            return hr;
        return findFuncDesc(m_methodsInfo.get(), dispid, function);
    });
}

HRESULT ControlSite::findEvent(const std::string &name, DISPID &dispid) const {
    if (!m_eventsInfo)
        return TYPE_E_ELEMENTNOTFOUND;
    return catchOutOfMemory([&] {
        const std::u16string wide = utf16FromUtf8(name);
        const OLECHAR *names[] = {wide.c_str()};
        return m_eventsInfo->GetIDsOfNames(names, 1, &dispid);
    });
}

HRESULT ControlSite::invoke(DISPID dispid, std::span<const VARIANT> args, VARIANT *result) {
    // Held for the call: an event fired inside it may close the site.
    const ComPtr<IDispatch> control = m_control;
    if (!control)
        return E_UNEXPECTED;
    return catchOutOfMemory([&] {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<uint32_t>(reversed.size()), 0};
        return control->Invoke(dispid, IID_NULL, LOCALE_NEUTRAL, DISPATCH_METHOD, &params, result,
                               nullptr, nullptr);
    });
}

HRESULT ControlSite::invoke(const std::string &name, std::span<const VARIANT> args,
                            VARIANT *result) {
    if (!m_control)
        return E_UNEXPECTED;
    DISPID dispid = DISPID_UNKNOWN;
    if (const HRESULT hr = catchOutOfMemory([&] {
            const std::u16string wide = utf16FromUtf8(name);
            const OLECHAR *names[] = {wide.c_str()};
            return m_control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_NEUTRAL, &dispid);
        });
        FAILED(hr))
        return hr;
    return invoke(dispid, args, result);
}
