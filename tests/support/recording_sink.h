// A host's event sink that records every event it receives.
#pragma once

#include "com/dispatch.h"

#include <functional>
#include <vector>

class RecordingSink final : public IDispatch {
  public:
    struct Event {
        DISPID dispid;
        std::vector<VARTYPE> types;
        std::vector<int32_t> values;
    };

    explicit RecordingSink(const IID &eventInterface)
        : m_eventInterface(eventInterface) {}

    HRESULT QueryInterface(REFIID riid, void **ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == m_eventInterface) {
            *ppv = static_cast<IDispatch *>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++m_refs; }
    uint32_t Release() override { return --m_refs; }
    HRESULT GetTypeInfoCount(uint32_t *count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(uint32_t, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, const OLECHAR *const *, uint32_t, LCID, DISPID *) override {
        return E_NOTIMPL;
    }
    HRESULT Invoke(DISPID dispid, REFIID, LCID, uint16_t, DISPPARAMS *params, VARIANT *,
                   EXCEPINFO *, uint32_t *) override {
        Event event{dispid, {}, {}};
        for (uint32_t i = params->cArgs; i-- > 0;) {
            const VARIANT &arg = params->rgvarg[i];
            event.types.push_back(arg.vt);
            event.values.push_back(arg.vt == VT_I2 ? arg.iVal : arg.lVal);
        }
        events.push_back(event);
        if (onEvent)
            onEvent();
        return S_OK;
    }

    uint32_t references() const { return m_refs; }

    std::vector<Event> events;
    std::function<void()> onEvent;

  private:
    IID m_eventInterface;
    uint32_t m_refs = 1;
};
