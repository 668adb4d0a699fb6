// A host's event sink that records every event it receives: its dispatch identifier and, for
// each argument, the type and the whole number it holds.
#pragma once

#include "com/dispatch.h"
#include "test_owned_object.h"

#include <functional>
#include <vector>

class NumberEventSink final : public TestOwnedObject<IDispatch> {
  public:
    struct Event {
        DISPID dispid;
        std::vector<VARTYPE> types;
        std::vector<int32_t> values;
    };

    explicit NumberEventSink(const IID &eventInterface)
        : m_eventInterface(eventInterface) {}

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

    std::vector<Event> events;
    std::function<void()> onEvent;

  private:
    void *findOtherInterface(REFIID riid) override {
        return riid == m_eventInterface ? static_cast<IDispatch *>(this) : nullptr;
    }

    IID m_eventInterface;
};
