// The host's end of a control's events: a dispatch sink that hands every event it receives,
// with its arguments in their natural order, to one function.
#pragma once

#include "com/com_object.h"
#include "com/dispatch.h"

#include <functional>
#include <span>

class EventSink final : public ComObject<IDispatch> {
  public:
    using Handler = std::function<void(DISPID dispid, std::span<const VARIANT> args)>;

    // eventInterface is the source interface the sink is advised on; it answers to it as well.
    EventSink(const IID &eventInterface, Handler handler);

    // Events arriving afterwards are accepted and dropped, for a host that goes away while
    // the source may still hold the sink.
    void disconnect();

    HRESULT GetTypeInfoCount(uint32_t *pctinfo) override;
    HRESULT GetTypeInfo(uint32_t iTInfo, LCID lcid, ITypeInfo **ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, const OLECHAR *const *names, uint32_t cNames, LCID lcid,
                          DISPID *rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, uint16_t wFlags,
                   DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo,
                   uint32_t *puArgErr) override;

  private:
    ~EventSink() override = default;
    void *findOtherInterface(REFIID riid) override;

    IID m_eventInterface;
    Handler m_handler;
};
