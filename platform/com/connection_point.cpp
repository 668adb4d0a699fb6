// Identifiers of the dispatch and connection interfaces, and the reusable connection point.
#include "com/connection_point.h"

#include <algorithm>

const IID IID_IDispatch = makeGuid("{00020400-0000-0000-C000-000000000046}");
const IID IID_NULL = GUID_NULL;
const IID IID_IConnectionPointContainer = makeGuid("{B196B284-BAB4-101A-B69C-00AA00341D07}");
const IID IID_IConnectionPoint = makeGuid("{B196B286-BAB4-101A-B69C-00AA00341D07}");

ConnectionPoint::ConnectionPoint(IConnectionPointContainer &container, REFIID eventInterface)
    : m_container(container)
    , m_eventInterface(eventInterface) {
}

ConnectionPoint::~ConnectionPoint() = default;

HRESULT ConnectionPoint::GetConnectionInterface(IID *pIID) {
    if (!pIID)
        return E_POINTER;
    *pIID = m_eventInterface;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer **ppCPC) {
    if (!ppCPC)
        return E_POINTER;
    m_container.AddRef();
    *ppCPC = &m_container;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown *sink, uint32_t *pdwCookie) {
    if (!pdwCookie)
        return E_POINTER;
    *pdwCookie = 0;
    if (!sink)
        return E_POINTER;
    // A dispinterface's sink is reached through IDispatch whatever it answers to the event
    // interface's own identifier.
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(m_eventInterface, dispatch.putVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, dispatch.putVoid())))
        return CONNECT_E_CANNOTCONNECT;
    if (m_nextCookie == 0)
        return CONNECT_E_ADVISELIMIT;
    return catchOutOfMemory([&] {
        m_sinks.emplace_back(m_nextCookie, std::move(dispatch));
        *pdwCookie = m_nextCookie++;
        return S_OK;
    });
}

HRESULT ConnectionPoint::Unadvise(uint32_t dwCookie) {
    const auto found = std::find_if(m_sinks.begin(), m_sinks.end(), [dwCookie](const auto &entry) {
        return entry.first == dwCookie;
    });
    if (found == m_sinks.end())
        return CONNECT_E_NOCONNECTION;
    // The sink is released only after it has left the list, in case its release re-enters.
    ComPtr<IDispatch> sink = std::move(found->second);
    m_sinks.erase(found);
    return S_OK;
}

HRESULT ConnectionPoint::fire(DISPID dispid, DISPPARAMS &args) {
    return catchOutOfMemory([&] {
        std::vector<ComPtr<IDispatch>> sinks;
        sinks.reserve(m_sinks.size());
        for (const auto &entry : m_sinks)
            sinks.push_back(entry.second);
        for (const auto &sink : sinks)
            sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &args, nullptr,
                         nullptr, nullptr);
        return S_OK;
    });
}

HRESULT ConnectionPoint::fire(DISPID dispid, std::span<const VARIANT> argsInOrder) {
    return catchOutOfMemory([&] {
        std::vector<VARIANT> reversed(argsInOrder.rbegin(), argsInOrder.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<uint32_t>(reversed.size()), 0};
        return fire(dispid, params);
    });
}

void ConnectionPoint::unadviseAll() {
    auto sinks = std::move(m_sinks);
    m_sinks.clear();
}
