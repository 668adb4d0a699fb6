#include "test_control.h"

#include <QCoreApplication>
#include <QThread>
#include <array>

namespace {

constexpr const char kTypeLibrary[] = R"IDL(
[uuid(5D0B7A13-6C1E-4F2A-9E37-0A1B2C3D4E50), version(1.0)]
library TestLib
{
    [uuid(5D0B7A11-6C1E-4F2A-9E37-0A1B2C3D4E50)]
    dispinterface _DTestCtrl
    {
    methods:
        [id(1)] long Add(long Left, short Right);
        [id(2)] BSTR Echo(BSTR Text);
        [id(3)] void Fill(short* pArray, long Count);
        [id(4)] short Negate(VARIANT_BOOL Flag);
        [id(5)] void Ping();
        [id(6)] void Missing();
    };
    [uuid(5D0B7A12-6C1E-4F2A-9E37-0A1B2C3D4E50)]
    dispinterface _DTestCtrlEvents
    {
    methods:
        [id(1)] void Pinged(short Code);
    };
    [uuid(5D0B7A10-6C1E-4F2A-9E37-0A1B2C3D4E50), control]
    coclass TestCtrl
    {
        [default] dispinterface _DTestCtrl;
        [default, source] dispinterface _DTestCtrlEvents;
    };
};
)IDL";

TestModule testModule;
CTypeLibCache typeLibCache;

// Missing is in the library but not in the map: the map decides what can be called.
const std::array kDispatchMap = {
    DispFunction<&TestCtrl::Add>(1, "Add"),   DispFunction<&TestCtrl::Echo>(2, "Echo"),
    DispFunction<&TestCtrl::Fill>(3, "Fill"), DispFunction<&TestCtrl::Negate>(4, "Negate"),
    DispFunction<&TestCtrl::Ping>(5, "Ping"),
};

const std::array<AFX_EVENTMAP_ENTRY, 1> &eventMap() {
    static const std::array<AFX_EVENTMAP_ENTRY, 1> map = {AFX_EVENTMAP_ENTRY{1, "Pinged", {VT_I2}}};
    return map;
}

DialogTemplate testDialog{
    QSize(100, 40),
    QStringLiteral("Test"),
    {{DialogItem::Kind::Static, -1, QRect(4, 4, 90, 10), QStringLiteral("Test page text"), 0}}};

} // namespace

QString TestModule::LoadString(UINT id) const {
    return id == kTestStringName ? QStringLiteral("Test Control") : QString();
}

QImage TestModule::LoadBitmap(UINT) const {
    return {};
}

QImage TestModule::LoadIcon(UINT) const {
    return {};
}

const DialogTemplate *TestModule::FindDialogTemplate(UINT id) const {
    return id == kTestDialog ? &testDialog : nullptr;
}

const CRuntimeClass TestCtrl::classTestCtrl = {"TestCtrl", &TestCtrl::CreateObject};

IUnknown *TestCtrl::CreateObject() {
    return (new TestCtrl)->GetIUnknown();
}

TestCtrl::TestCtrl() {
    InitializeIIDs(&IID_DTestCtrl, &IID_DTestCtrlEvents);
    SetInitialSize(30, 20);
}

HRESULT TestCtrl::GetClassID(CLSID *pclsid) {
    *pclsid = CLSID_TestCtrl;
    return S_OK;
}

CTypeLibCache *TestCtrl::GetTypeLibCache() {
    return &typeLibCache;
}

HRESULT TestCtrl::GetTypeLib(LCID, ITypeLib **ppTypeLib) {
    return LoadTypeLibFromText(kTypeLibrary, ppTypeLib);
}

AFX_DISPMAP TestCtrl::GetDispatchMap() const {
    return kDispatchMap;
}

AFX_EVENTMAP TestCtrl::GetEventMap() const {
    return eventMap();
}

void TestCtrl::DoPropExchange(CPropExchange *pPX) {
    ExchangeVersion(pPX, kTestVersion);
    COleControl::DoPropExchange(pPX);
}

LRESULT TestCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    messages.push_back({message, wParam, lParam,
                        QThread::currentThread() == QCoreApplication::instance()->thread()});
    if (IUnknown *released = std::exchange(releaseInWindowProc, nullptr))
        released->Release();
    return COleControl::WindowProc(message, wParam, lParam);
}

void TestCtrl::Fill(int16_t *pArray, int32_t Count) {
    for (int32_t i = 0; i < Count; ++i)
        pArray[i] = static_cast<int16_t>(i * 3);
}

ComPtr<IDispatch> createTestControl() {
    ComPtr<IDispatch> control;
    IUnknown *object = TestCtrl::CreateObject();
    object->QueryInterface(IID_IDispatch, control.putVoid());
    object->Release();
    return control;
}
