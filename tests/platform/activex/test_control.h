// A small control built on the framework, with its own type library text and module object,
// standing in for a real control module in the framework's tests.
#pragma once

#include "activex/ole_control.h"
#include "activex/ole_control_module.h"

#include <string>
#include <vector>

inline constexpr CLSID CLSID_TestCtrl = makeGuid("{5D0B7A10-6C1E-4F2A-9E37-0A1B2C3D4E50}");
inline constexpr IID IID_DTestCtrl = makeGuid("{5D0B7A11-6C1E-4F2A-9E37-0A1B2C3D4E50}");
inline constexpr IID IID_DTestCtrlEvents = makeGuid("{5D0B7A12-6C1E-4F2A-9E37-0A1B2C3D4E50}");
inline constexpr GUID LIBID_TestLib = makeGuid("{5D0B7A13-6C1E-4F2A-9E37-0A1B2C3D4E50}");

inline constexpr UINT kTestStringName = 1;
inline constexpr UINT kTestDialog = 7;
inline constexpr DWORD kTestVersion = 0x00020003;

class TestModule final : public COleControlModule {
  public:
    QString LoadString(UINT id) const override;
    QImage LoadBitmap(UINT id) const override;
    QImage LoadIcon(UINT id) const override;
    const DialogTemplate *FindDialogTemplate(UINT id) const override;
};

class TestCtrl final : public COleControl {
  public:
    static const CRuntimeClass classTestCtrl;
    static IUnknown *CreateObject();

    const CRuntimeClass *GetRuntimeClass() const override { return &classTestCtrl; }
    HRESULT GetClassID(CLSID *pclsid) override;
    CTypeLibCache *GetTypeLibCache() override;
    HRESULT GetTypeLib(LCID lcid, ITypeLib **ppTypeLib) override;
    AFX_DISPMAP GetDispatchMap() const override;
    AFX_EVENTMAP GetEventMap() const override;
    std::span<const CLSID> GetPropPageIDs() const override { return {}; }
    UINT GetUserTypeNameID() const override { return kTestStringName; }
    DWORD GetMiscStatus() const override { return OLEMISC_INSIDEOUT; }
    void DoPropExchange(CPropExchange *pPX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int32_t Add(int32_t Left, int16_t Right) { return Left + Right; }
    BSTR Echo(std::string_view Text) { return bstrFromUtf8(Text); }
    void Fill(int16_t *pArray, int32_t Count);
    int16_t Negate(bool Flag) { return Flag ? -1 : 0; }
    void Ping() { FireEvent(1, int32_t{7}); }

    using COleControl::FireEvent;
    using COleControl::SetControlSize;

    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool onMainThread;
    };
    std::vector<Message> messages;
    // Released from inside WindowProc, as a host may do from an event handler.
    IUnknown *releaseInWindowProc = nullptr;

  private:
    TestCtrl();
};

// A control object as the host holds it: one reference, released at the end.
ComPtr<IDispatch> createTestControl();
