// Shared pieces of the runtime's tests: a private registry, the test module, a recording
// event sink and a call helper.
#pragma once

#include "com/dispatch.h"
#include "temporary_folder.h"
#include "test_owned_object.h"

#include <functional>
#include <string>
#include <vector>

// Points KORVANE_COM_REGISTRY at a file in a fresh temporary folder for its lifetime.
class PrivateRegistry {
  public:
    PrivateRegistry();
    ~PrivateRegistry();
    PrivateRegistry(const PrivateRegistry &) = delete;
    PrivateRegistry &operator=(const PrivateRegistry &) = delete;

    std::string folder() const { return m_folder.path().string(); }
    const std::string &path() const { return m_path; }
    std::string contents() const; // the file's bytes, empty when it does not exist

  private:
    TemporaryFolder m_folder;
    std::string m_path;
};

inline const std::string kTestModulePath = COM_TEST_MODULE;

// Loads the module at path, calls the named export and unloads it again.
HRESULT callModuleExport(const std::string &path, const char *name);

// Calls a method with arguments given in their natural order (reversed for the call).
HRESULT invokeMethod(IDispatch *object, DISPID id, std::vector<Variant> args,
                     VARIANT *result = nullptr, uint32_t *argErr = nullptr);

// An event sink that records every event it receives with copies of its arguments.
class VariantEventSink final : public TestOwnedObject<IDispatch> {
  public:
    struct Event {
        DISPID id;
        std::vector<Variant> args; // natural order
    };

    HRESULT GetTypeInfoCount(uint32_t *pctinfo) override;
    HRESULT GetTypeInfo(uint32_t, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, const OLECHAR *const *, uint32_t, LCID, DISPID *) override {
        return E_NOTIMPL;
    }
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, uint16_t wFlags, DISPPARAMS *params,
                   VARIANT *result, EXCEPINFO *excepInfo, uint32_t *argErr) override;

    std::vector<Event> events;
    std::function<void()> onEvent; // runs after an event was recorded
};
