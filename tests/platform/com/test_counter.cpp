// The test class: methods with every parameter shape the control uses, and one event.
#include "test_counter.h"

#include "com/dispatch_arguments.h"
#include "test_module_ids.h"

#include <new>

std::atomic<int> g_liveObjects{0};
std::atomic<int> g_serverLocks{0};

extern "C" const char *KorvaneTypeLibrary() {
    return R"(
// The test module's library.
[ uuid(6C1E4A10-5B2D-4E8F-9A01-2B3C4D5E6F70), version(1.0), lcid(0),
  helpstring("Korvane COM test library") ]
library ComTestLib
{
    [ uuid(6C1E4A11-5B2D-4E8F-9A01-2B3C4D5E6F70), helpstring("Counter methods"), hidden ]
    dispinterface _DCounter
    {
        properties:
        methods:
            [id(1)] long Combine(short High, long Low);
            [id(2)] float Scale(float Value, float Factor);
            [id(3), helpstring("Says something")] BSTR Describe(BSTR Prefix, VARIANT_BOOL Loud);
            [id(4)] void Fill(short* pArray, long ArrayLength);
            [id(5)] void Ring(short NotifyCode);
            [id(-552)] void AboutBox();
    };

    [ uuid(6C1E4A12-5B2D-4E8F-9A01-2B3C4D5E6F70) ]
    dispinterface _DCounterEvents
    {
        methods:
            [id(1)] void Rung(short NotifyCode);
    };

    /* The class itself. */
    [ uuid(6C1E4A13-5B2D-4E8F-9A01-2B3C4D5E6F70), control ]
    coclass Counter
    {
        [default] dispinterface _DCounter;
        [default, source] dispinterface _DCounterEvents;
    };
};
)";
}

HRESULT TestCounter::create(REFIID riid, void **ppv) {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibFromText(KorvaneTypeLibrary(), library.put());
    ComPtr<ITypeInfo> info;
    if (SUCCEEDED(hr))
        hr = library->GetTypeInfoOfGuid(kTestDispatchId, info.put());
    if (FAILED(hr))
        return hr;
    auto *object = new (std::nothrow) TestCounter(std::move(info));
    if (!object)
        return E_OUTOFMEMORY;
    hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

TestCounter::TestCounter(ComPtr<ITypeInfo> typeInfo)
    : m_typeInfo(std::move(typeInfo))
    , m_events(*this, kTestEventsId) {
    ++g_liveObjects;
}

TestCounter::~TestCounter() {
    --g_liveObjects;
}

void *TestCounter::findOtherInterface(REFIID riid) {
    return riid == kTestDispatchId ? static_cast<IDispatch *>(this) : nullptr;
}

HRESULT TestCounter::GetTypeInfoCount(uint32_t *pctinfo) {
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

HRESULT TestCounter::GetTypeInfo(uint32_t iTInfo, LCID, ITypeInfo **ppTInfo) {
    if (!ppTInfo)
        return E_POINTER;
    if (iTInfo != 0)
        return DISP_E_BADINDEX;
    *ppTInfo = ComPtr(m_typeInfo).detach();
    return S_OK;
}

HRESULT TestCounter::GetIDsOfNames(REFIID riid, const OLECHAR *const *names, uint32_t cNames, LCID,
                                   DISPID *rgDispId) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(m_typeInfo.get(), names, cNames, rgDispId);
}

HRESULT TestCounter::Invoke(DISPID dispIdMember, REFIID riid, LCID, uint16_t wFlags,
                            DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *,
                            uint32_t *puArgErr) {
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if ((wFlags & DISPATCH_METHOD) == 0)
        return DISP_E_MEMBERNOTFOUND;
    return catchOutOfMemory([&] {
        const FUNCDESC *func = nullptr;
        HRESULT hr = findFuncDesc(m_typeInfo.get(), dispIdMember, &func);
        if (FAILED(hr))
            return hr;
        std::vector<Variant> args;
        hr = checkDispatchArguments(*func, pDispParams, args, puArgErr);
        if (FAILED(hr))
            return hr;
        Variant result;
        hr = call(dispIdMember, args, *result.get());
        if (SUCCEEDED(hr) && pVarResult) {
            VariantClear(pVarResult);
            *pVarResult = *result.get();
            VariantInit(result.get());
        }
        return hr;
    });
}

HRESULT TestCounter::call(DISPID id, std::vector<Variant> &args, VARIANT &result) {
    switch (id) {
    case kCombine:
        result.vt = VT_I4;
        result.lVal = args[0]->iVal * 1000 + args[1]->lVal;
        return S_OK;
    case kScale:
        result.vt = VT_R4;
        result.fltVal = args[0]->fltVal * args[1]->fltVal;
        return S_OK;
    case kDescribe:
        result.vt = VT_BSTR;
        result.bstrVal =
            bstrFromUtf8(utf8FromBstr(args[0]->bstrVal) + (args[1]->boolVal ? "!" : "."));
        return result.bstrVal ? S_OK : E_OUTOFMEMORY;
    case kFill:
        for (int32_t i = 0; i < args[1]->lVal; ++i)
            args[0]->piVal[i] = static_cast<int16_t>(2 * i);
        return S_OK;
    case kRing: {
        VARIANT code;
        VariantInit(&code);
        code.vt = VT_I2;
        code.iVal = args[0]->iVal;
        return m_events.fire(kRungDispid, std::span<const VARIANT>(&code, 1));
    }
    default:
        return S_OK;
    }
}

HRESULT TestCounter::FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) {
    if (!ppCP)
        return E_POINTER;
    *ppCP = nullptr;
    if (riid != kTestEventsId)
        return CONNECT_E_NOCONNECTION;
    m_events.AddRef();
    *ppCP = &m_events;
    return S_OK;
}
