// The one control nelowav drives: created by ProgID through the registry, its methods found by
// name in its type information, its Done events received through an advised sink.
#pragma once

#include "com/connection_point.h"
#include "com/type_info.h"

#include <functional>
#include <string>

class DoneSink;

class ControlHost {
  public:
    // Called for every Done, with its NotifyCode.
    using DoneHandler = std::function<void(int16_t notifyCode)>;

    ControlHost() = default;
    ~ControlHost();
    ControlHost(const ControlHost &) = delete;
    ControlHost &operator=(const ControlHost &) = delete;

    // Creates the control and advises the sink. On failure, error names the step and the code.
    HRESULT create(const char *progId, DoneHandler onDone, std::string &error);

    // The method's description, or DISP_E_UNKNOWNNAME.
    HRESULT findMethod(const std::string &name, const FUNCDESC **function);

    // Calls the method with the arguments in their natural order.
    HRESULT invoke(const FUNCDESC &function, std::vector<VARIANT> &args, VARIANT *result);

    // The control's GetErrorCode.
    HRESULT errorCode(int32_t &code);

    // The descriptions of the control's methods and of its events, once it is created.
    ITypeInfo *methodsInfo() const { return m_dispatchInfo.get(); }
    ITypeInfo *eventsInfo() const { return m_eventsInfo.get(); }

  private:
    HRESULT adviseDone(DoneHandler onDone);

    ComPtr<IDispatch> m_control;
    ComPtr<ITypeInfo> m_dispatchInfo;
    ComPtr<ITypeInfo> m_eventsInfo;
    ComPtr<IConnectionPoint> m_connection;
    DoneSink *m_sink = nullptr;
    uint32_t m_cookie = 0;
};
