// CNeloWavCtrl: the wave control. Everything it does is a method; each method that can fail
// leaves its outcome in m_nErrorCode for GetErrorCode and GetErrorMessage.
#pragma once

#include "activex/ole_control.h"
#include "command_text.h"
#include "mci/mci_types.h"

#include <cstdint>
#include <string>

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
    void Open(const char *WavFilename);
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
    void SaveAs(const char *WavFilename);
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
    friend class NeloWavSessionView;

    // The media session's steps. OpenSession takes a short path and stores the device's answer.
    void OpenSession(const char *shortPath);
    void CloseSession();
    // Saves the sound to path (a name as the host gives it), storing the outcome.
    void SaveTo(const char *path);
    // Sends command with the control's window for completion, and a reply buffer for a query;
    // a command that did not fit its buffer is refused without being sent.
    MCIERROR SendCommand(const CommandText &command, char *reply = nullptr, UINT replySize = 0);
    // The device's status replies are read into a buffer of this size.
    static constexpr UINT kStatusReplySize = 30;
    // Sends "status ALIAS item wait" with a reply buffer of kStatusReplySize bytes.
    MCIERROR QueryStatus(const char *item, char *reply);
    // The status item's value; 0 when the device refuses the query or has no number for it.
    int32_t QueryStatusNumber(const char *item);

    int32_t m_bFileOpen;
    int32_t m_nErrorCode;
    int32_t m_bSizeForced;
    char m_szAlias[20];
    std::string m_strWavFilename;
    std::string m_strWorkFile;
    int32_t m_nHeaderSize;
};

// The module-wide counter behind the session aliases; the first Open in a process takes 1.
extern int32_t g_nAliasCounter;
