// CNeloWavCtrl: the wave control. Everything it does is a method; each method that can fail
// leaves its outcome in its session's m_nErrorCode for GetErrorCode and GetErrorMessage.
#pragma once

#include "activex/ole_control.h"
#include "nelowav_session.h"

#include <cstdint>
#include <string_view>

class CNeloWavCtrl : public COleControl {
  public:
    static const CRuntimeClass classCNeloWavCtrl;
    static IUnknown *CreateObject();

    // The class factory, with the control class's registration routine.
    class CNeloWavCtrlFactory final : public COleObjectFactory {
      public:
        CNeloWavCtrlFactory();
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CNeloWavCtrlFactory factory;

    const CRuntimeClass *GetRuntimeClass() const override;
    HRESULT GetClassID(CLSID *pclsid) override;
    CTypeLibCache *GetTypeLibCache() override;
    HRESULT GetTypeLib(LCID lcid, ITypeLib **ppTypeLib) override;
    AFX_DISPMAP GetDispatchMap() const override;
    AFX_EVENTMAP GetEventMap() const override;
    AFX_VERBMAP GetMessageMap() const override;
    std::span<const CLSID> GetPropPageIDs() const override;
    UINT GetUserTypeNameID() const override;
    DWORD GetMiscStatus() const override;

    void DoPropExchange(CPropExchange *pPX) override;
    void OnDraw(QPainter *pdc, const QRect &rcBounds) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The dispatch interface, in the order of its identifiers.
    void Open(std::string_view WavFilename);
    int32_t GetErrorCode();
    void Play(int32_t From, int32_t To, bool Wait);
    void Stop();
    void Seek(int32_t To);
    int32_t GetLength();
    int32_t GetPosition();
    int16_t GetNumBits();
    int16_t GetNumChannels();
    void WavFileToArray(int16_t *pArray, int32_t ArrayLength);
    void ArrayToWavFile(int16_t *pArray, int32_t ArrayLength);
    int32_t GetMode();
    void Record(int32_t From, int32_t To, bool Wait);
    void Save();
    void Delete(int32_t From, int32_t To);
    void Pause();
    void SaveAs(std::string_view WavFilename);
    BSTR GetWavFilename();
    int32_t GetSamplingRate();
    void SetSamplingRate(int32_t SamplingRate);
    void Close();
    void ChangeVolume(int32_t From, int32_t To, float Factor);
    BSTR GetErrorMessage();
    void Copy(int32_t From, int32_t To);
    void Paste(int32_t From, int32_t To);
    void AboutBox();

    // The event interface.
    void FireDone(int16_t NotifyCode);

  protected:
    CNeloWavCtrl();
    ~CNeloWavCtrl() override;

  private:
    int32_t m_bSizeForced;
    NeloWavSession m_session;
};
