// The one class of the test module: a dispatch object with an event connection point.
#pragma once

#include "com/com_object.h"
#include "com/connection_point.h"
#include "com/type_info.h"

#include <atomic>

// Live objects and server locks of the module, for DllCanUnloadNow.
extern std::atomic<int> g_liveObjects;
extern std::atomic<int> g_serverLocks;

extern "C" const char *KorvaneTypeLibrary();

class TestCounter final : public ComObject<IDispatch, IConnectionPointContainer> {
  public:
    // E_OUTOFMEMORY or the type library's error.
    static HRESULT create(REFIID riid, void **ppv);

    HRESULT GetTypeInfoCount(uint32_t *pctinfo) override;
    HRESULT GetTypeInfo(uint32_t iTInfo, LCID lcid, ITypeInfo **ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, const OLECHAR *const *names, uint32_t cNames, LCID lcid,
                          DISPID *rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, uint16_t wFlags,
                   DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo,
                   uint32_t *puArgErr) override;

    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) override;

  private:
    explicit TestCounter(ComPtr<ITypeInfo> typeInfo);
    ~TestCounter() override;

    void *findOtherInterface(REFIID riid) override;
    HRESULT call(DISPID id, std::vector<Variant> &args, VARIANT &result);

    ComPtr<ITypeInfo> m_typeInfo;
    ConnectionPoint m_events;
};
