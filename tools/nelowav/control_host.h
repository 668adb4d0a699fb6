// The one control nelowav drives: the NELOWAV control in a control site, its methods found
// by name in its type information, its Done events and its GetErrorCode.
#pragma once

#include "activex/control_site.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class ControlHost {
  public:
    // Called for every Done, with its NotifyCode.
    using DoneHandler = std::function<void(int16_t notifyCode)>;

    // Creates the control and advises for Done. On failure, error names the step and the code.
    HRESULT create(const char *progId, DoneHandler onDone, std::string &error);

    // The method's description, or DISP_E_UNKNOWNNAME.
    HRESULT findMethod(const std::string &name, const FUNCDESC **function) {
        return m_site.findMethod(name, function);
    }

    // Calls the method with the arguments in their natural order.
    HRESULT invoke(const FUNCDESC &function, std::vector<VARIANT> &args, VARIANT *result) {
        return m_site.invoke(function.memid, args, result);
    }

    // Runs the event loop until the next Done or the timeout: S_OK when one came.
    HRESULT waitForEvent(std::chrono::milliseconds timeout) { return m_site.waitForEvent(timeout); }

    // The control's GetErrorCode.
    HRESULT errorCode(int32_t &code);

    // The descriptions of the control's methods and of its events, once it is created.
    ITypeInfo *methodsInfo() const { return m_site.methodsInfo(); }
    ITypeInfo *eventsInfo() const { return m_site.eventsInfo(); }

  private:
    ControlSite m_site;
};
