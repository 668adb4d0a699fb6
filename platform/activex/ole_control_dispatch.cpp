// COleControl: dispatch by identifier, type information and event firing.
#include "activex/ole_control.h"
#include "com/dispatch_arguments.h"

HRESULT COleControl::GetTypeInfoOfGuid(LCID lcid, REFGUID guid, ITypeInfo **ppTypeInfo) {
    CTypeLibCache *cache = GetTypeLibCache();
    if (cache->Cached() == nullptr) {
        ComPtr<ITypeLib> library;
        if (const HRESULT hr = GetTypeLib(lcid, library.put()); FAILED(hr))
            return hr;
        cache->Cache(library.get());
    }
    return cache->Cached()->GetTypeInfoOfGuid(guid, ppTypeInfo);
}

HRESULT COleControl::GetTypeInfoCount(uint32_t *pctinfo) {
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

HRESULT COleControl::GetTypeInfo(uint32_t iTInfo, LCID lcid, ITypeInfo **ppTInfo) {
    if (ppTInfo == nullptr)
        return E_POINTER;
    *ppTInfo = nullptr;
    if (iTInfo != 0)
        return DISP_E_BADINDEX;
    return GetTypeInfoOfGuid(lcid, m_piidPrimary, ppTInfo);
}

HRESULT COleControl::GetClassInfo(ITypeInfo **ppTI) {
    if (ppTI == nullptr)
        return E_POINTER;
    *ppTI = nullptr;
    CLSID clsid;
    if (const HRESULT hr = GetClassID(&clsid); FAILED(hr))
        return hr;
    return GetTypeInfoOfGuid(LOCALE_NEUTRAL, clsid, ppTI);
}

HRESULT COleControl::GetIDsOfNames(REFIID riid, const OLECHAR *const *names, uint32_t cNames,
                                   LCID lcid, DISPID *rgDispId) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> typeInfo;
    if (const HRESULT hr = GetTypeInfo(0, lcid, typeInfo.put()); FAILED(hr))
        return hr;
    return DispGetIDsOfNames(typeInfo.get(), names, cNames, rgDispId);
}

const AFX_DISPMAP_ENTRY *COleControl::FindDispatchEntry(DISPID dispid) const {
    for (const AFX_DISPMAP_ENTRY &entry : GetDispatchMap())
        if (entry.dispid == dispid)
            return &entry;
    return nullptr;
}

HRESULT COleControl::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, uint16_t wFlags,
                            DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *,
                            uint32_t *puArgErr) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    const AFX_DISPMAP_ENTRY *entry = FindDispatchEntry(dispIdMember);
    if (entry == nullptr || (wFlags & DISPATCH_METHOD) == 0)
        return DISP_E_MEMBERNOTFOUND;
    ComPtr<ITypeInfo> typeInfo;
    if (const HRESULT hr = GetTypeInfo(0, lcid, typeInfo.put()); FAILED(hr))
        return hr;
    const FUNCDESC *function = nullptr;
    if (const HRESULT hr = findFuncDesc(typeInfo.get(), dispIdMember, &function); FAILED(hr))
        return hr;
    try {
        return catchOutOfMemory([&] {
            std::vector<Variant> args;
            if (const HRESULT hr = checkDispatchArguments(*function, pDispParams, args, puArgErr);
                FAILED(hr))
                return hr;
            if (pVarResult != nullptr)
                VariantInit(pVarResult);
            // The host may release the control from inside the member.
            const ComPtr<IUnknown> keepAlive(GetIUnknown());
            return entry->invoke(*this, args, pVarResult);
        });
    } catch (...) {
        return DISP_E_EXCEPTION;
    }
}

HRESULT COleControl::FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) {
    if (ppCP == nullptr)
        return E_POINTER;
    *ppCP = nullptr;
    if (!m_eventConnection || riid != m_eventConnection->eventInterface())
        return CONNECT_E_NOCONNECTION;
    *ppCP = &*m_eventConnection;
    (*ppCP)->AddRef();
    return S_OK;
}

void COleControl::FireEventV(DISPID dispid, std::vector<Variant> &args) {
    if (!m_eventConnection)
        return;
    for (const AFX_EVENTMAP_ENTRY &event : GetEventMap()) {
        if (event.dispid != dispid)
            continue;
        if (event.parameterTypes.size() != args.size())
            return;
        // Events are fired from window messages, where nothing may throw: without memory the
        // event is lost.
        catchOutOfMemory([&] {
            std::vector<VARIANT> inOrder;
            for (std::size_t i = 0; i < args.size(); ++i) {
                if (const HRESULT hr = args[i].changeType(event.parameterTypes[i]); FAILED(hr))
                    return hr;
                inOrder.push_back(*args[i].get());
            }
            const ComPtr<IUnknown> keepAlive(GetIUnknown());
            return m_eventConnection->fire(dispid, inOrder);
        });
        return;
    }
}
