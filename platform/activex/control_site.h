// A host's hold on one control: created by CLSID or ProgID through the registry, its methods
// called late bound by name or dispatch identifier, its events received through a sink advised
// on its default source interface, and its type information read for both.
#pragma once

#include "activex/event_sink.h"
#include "com/connection_point.h"
#include "com/type_info.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <thread>

class ControlSite {
  public:
    using EventHandler = EventSink::Handler;

    ControlSite() = default;
    ~ControlSite();
    ControlSite(const ControlSite &) = delete;
    ControlSite &operator=(const ControlSite &) = delete;

    // Creates the control and reads its type information, giving up a control held before.
    // On failure error names the step, the control and the code.
    HRESULT create(REFCLSID clsid, std::string &error);
    HRESULT create(const char *progId, std::string &error);

    // Every event of the control's default source interface reaches handler, on the thread
    // that fires it, until the site closes. On failure error names the step and the code.
    HRESULT advise(EventHandler handler, std::string &error);

    // For a host with no event loop of its own: runs the Qt event loop of the thread that
    // created the control, where its events arrive, until the next event has reached the
    // handler or timeout has passed. An event that came since the last wait returned (inside a
    // call, say) counts, and the wait returns at once. S_OK when one came, S_FALSE when none
    // did; E_UNEXPECTED before advise or with no QCoreApplication; RPC_E_WRONG_THREAD on
    // another thread.
    HRESULT waitForEvent(std::chrono::milliseconds timeout);

    // Unadvises, closes and releases the control; the site may create another.
    void close();

    // The method's description (names match in any case), or DISP_E_UNKNOWNNAME.
    HRESULT findMethod(const std::string &name, const FUNCDESC **function) const;
    // The identifier of an event of the default source interface, once advised.
    HRESULT findEvent(const std::string &name, DISPID &dispid) const;

    // Calls a method with its arguments in their natural order, converted by the control to
    // its parameter types. result may be null; else it must be initialised and receives the
    // method's value.
    HRESULT invoke(DISPID dispid, std::span<const VARIANT> args, VARIANT *result = nullptr);
    // The same for a method found by name through the control's own GetIDsOfNames.
    HRESULT invoke(const std::string &name, std::span<const VARIANT> args,
                   VARIANT *result = nullptr);

    IDispatch *control() const { return m_control.get(); }
    // The descriptions of the control's methods (once created) and of its events (once
    // advised), or null.
    ITypeInfo *methodsInfo() const { return m_methodsInfo.get(); }
    ITypeInfo *eventsInfo() const { return m_eventsInfo.get(); }

  private:
    HRESULT createNamed(REFCLSID clsid, const std::string &name, std::string &error);
    HRESULT connect(EventHandler handler);
    EventHandler counting(EventHandler handler);

    std::string m_name;
    ComPtr<IDispatch> m_control;
    ComPtr<ITypeInfo> m_methodsInfo;
    ComPtr<ITypeInfo> m_eventsInfo;
    ComPtr<IConnectionPoint> m_connection;
    ComPtr<EventSink> m_sink;
    uint32_t m_cookie = 0;
    std::thread::id m_thread;
    uint64_t m_eventsSeen = 0;
    uint64_t m_eventsAwaited = 0;
    std::function<void()> m_stopWaiting;
};
