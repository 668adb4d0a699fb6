// The test control as a module of its own, which hosts create through the registry.
#include "activex/ole_object_factory.h"
#include "test_control.h"

namespace {

class TestCtrlFactory final : public COleObjectFactory {
  public:
    TestCtrlFactory()
        : COleObjectFactory(CLSID_TestCtrl, &TestCtrl::classTestCtrl, 0, "Test.Ctrl") {}
    // The tests write the registry themselves.
    BOOL UpdateRegistry(BOOL) override { return 1; }
};

TestCtrlFactory factory;

} // namespace

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv) {
    return AfxDllGetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return AfxDllCanUnloadNow();
}
