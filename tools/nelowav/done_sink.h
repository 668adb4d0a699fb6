// The sink through which the control's events reach nelowav.
#pragma once

#include "com/dispatch.h"

#include <functional>

class DoneSink final : public IDispatch {
  public:
    DoneSink(const IID &eventInterface, DISPID doneId, std::function<void(int16_t)> onDone);

    HRESULT QueryInterface(REFIID riid, void **ppvObject) override;
    uint32_t AddRef() override;
    uint32_t Release() override;
    HRESULT GetTypeInfoCount(uint32_t *pctinfo) override;
    HRESULT GetTypeInfo(uint32_t iTInfo, LCID lcid, ITypeInfo **ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, const OLECHAR *const *names, uint32_t cNames, LCID lcid,
                          DISPID *rgDispId) override;
    // Done reaches the handler; other events are accepted and ignored.
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, uint16_t wFlags,
                   DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo,
                   uint32_t *puArgErr) override;

  private:
    IID m_eventInterface;
    DISPID m_doneId;
    std::function<void(int16_t)> m_onDone;
    uint32_t m_refCount = 1;
};
