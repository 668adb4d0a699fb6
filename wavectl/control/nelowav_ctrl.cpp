// CNeloWavCtrl: construction and destruction, its maps and identifiers, registration of its
// class, drawing, the completion message, the error code and message, and the about box.
#include "nelowav_ctrl.h"

#include "activex/modal_dialog.h"
#include "activex/ole_registration.h"
#include "activex/picture_holder.h"
#include "error_messages.h"
#include "interface/nelowav_ids.h"
#include "mci/mci_constants.h"
#include "nelowav_resources.h"

#include <array>

namespace {

constexpr int kFaceWidth = 62;
constexpr int kFaceHeight = 40;

constexpr DWORD kMiscStatus = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST |
                              OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_RECOMPOSEONRESIZE;
static_assert(kMiscStatus == 0x20191);

// Major version in the high word, minor in the low one.
constexpr uint32_t kControlVersion = 0x00010000;

// Done hands hosts the device's notification flag unchanged, so the codes they are given must
// be the device's flags.
constexpr bool isDeviceFlag(NeloWavDoneCode code, WPARAM flag) {
    return static_cast<WPARAM>(code) == flag;
}
static_assert(isDeviceFlag(doneSuccessful, MCI_NOTIFY_SUCCESSFUL) &&
              isDeviceFlag(doneSuperseded, MCI_NOTIFY_SUPERSEDED) &&
              isDeviceFlag(doneAborted, MCI_NOTIFY_ABORTED) &&
              isDeviceFlag(doneFailure, MCI_NOTIFY_FAILURE));

CTypeLibCache g_typeLibCache;

const std::array kDispatchMap = {
    DispFunction<&CNeloWavCtrl::Open>(dispidOpen, "Open"),
    DispFunction<&CNeloWavCtrl::GetErrorCode>(dispidGetErrorCode, "GetErrorCode"),
    DispFunction<&CNeloWavCtrl::Play>(dispidPlay, "Play"),
    DispFunction<&CNeloWavCtrl::Stop>(dispidStop, "Stop"),
    DispFunction<&CNeloWavCtrl::Seek>(dispidSeek, "Seek"),
    DispFunction<&CNeloWavCtrl::GetLength>(dispidGetLength, "GetLength"),
    DispFunction<&CNeloWavCtrl::GetPosition>(dispidGetPosition, "GetPosition"),
    DispFunction<&CNeloWavCtrl::GetNumBits>(dispidGetNumBits, "GetNumBits"),
    DispFunction<&CNeloWavCtrl::GetNumChannels>(dispidGetNumChannels, "GetNumChannels"),
    DispFunction<&CNeloWavCtrl::WavFileToArray>(dispidWavFileToArray, "WavFileToArray"),
    DispFunction<&CNeloWavCtrl::ArrayToWavFile>(dispidArrayToWavFile, "ArrayToWavFile"),
    DispFunction<&CNeloWavCtrl::GetMode>(dispidGetMode, "GetMode"),
    DispFunction<&CNeloWavCtrl::Record>(dispidRecord, "Record"),
    DispFunction<&CNeloWavCtrl::Save>(dispidSave, "Save"),
    DispFunction<&CNeloWavCtrl::Delete>(dispidDelete, "Delete"),
    DispFunction<&CNeloWavCtrl::Pause>(dispidPause, "Pause"),
    DispFunction<&CNeloWavCtrl::SaveAs>(dispidSaveAs, "SaveAs"),
    DispFunction<&CNeloWavCtrl::GetWavFilename>(dispidGetWavFilename, "GetWavFilename"),
    DispFunction<&CNeloWavCtrl::GetSamplingRate>(dispidGetSamplingRate, "GetSamplingRate"),
    DispFunction<&CNeloWavCtrl::SetSamplingRate>(dispidSetSamplingRate, "SetSamplingRate"),
    DispFunction<&CNeloWavCtrl::Close>(dispidClose, "Close"),
    DispFunction<&CNeloWavCtrl::ChangeVolume>(dispidChangeVolume, "ChangeVolume"),
    DispFunction<&CNeloWavCtrl::GetErrorMessage>(dispidGetErrorMessage, "GetErrorMessage"),
    DispFunction<&CNeloWavCtrl::Copy>(dispidCopy, "Copy"),
    DispFunction<&CNeloWavCtrl::Paste>(dispidPaste, "Paste"),
    DispFunction<&CNeloWavCtrl::AboutBox>(dispidAboutBox, "AboutBox"),
};

const std::array<AFX_EVENTMAP_ENTRY, 1> &eventMap() {
    static const std::array<AFX_EVENTMAP_ENTRY, 1> map = {
        AFX_EVENTMAP_ENTRY{eventidDone, "Done", {VT_I2}},
    };
    return map;
}

constexpr std::array kMessageMap = {
    AFX_VERBMAP_ENTRY{OLEIVERB_PROPERTIES, &COleControl::OnProperties},
};

constexpr std::array kPropPageIds = {CLSID_NeloWavPropPage, CLSID_AboutPropPage};

} // namespace

const CRuntimeClass CNeloWavCtrl::classCNeloWavCtrl = {"CNeloWavCtrl", &CNeloWavCtrl::CreateObject};

CNeloWavCtrl::CNeloWavCtrlFactory CNeloWavCtrl::factory;

CNeloWavCtrl::CNeloWavCtrlFactory::CNeloWavCtrlFactory()
    : COleObjectFactory(CLSID_NeloWav, &classCNeloWavCtrl, 0, kNeloWavProgId) {
}

BOOL CNeloWavCtrl::CNeloWavCtrlFactory::UpdateRegistry(BOOL bRegister) {
    if (bRegister == 0)
        return AfxOleUnregisterClass(CLSID_NeloWav, kNeloWavProgId);
    return AfxOleRegisterControlClass(AfxGetInstanceHandle(), CLSID_NeloWav, kNeloWavProgId,
                                      IDS_NELOWAV, IDB_NELOWAV, afxRegDefault, kMiscStatus,
                                      LIBID_NelowavLib, kTypeLibMajorVersion, kTypeLibMinorVersion);
}

IUnknown *CNeloWavCtrl::CreateObject() {
    return (new CNeloWavCtrl)->GetIUnknown();
}

CNeloWavCtrl::CNeloWavCtrl()
    : m_bSizeForced(0)
    , m_session(GetSafeHwnd()) {
    InitializeIIDs(&IID_DNeloWav, &IID_DNeloWavEvents);
    SetInitialSize(kFaceWidth, kFaceHeight);
}

// The session closes itself and deletes its working copy.
CNeloWavCtrl::~CNeloWavCtrl() = default;

const CRuntimeClass *CNeloWavCtrl::GetRuntimeClass() const {
    return &classCNeloWavCtrl;
}

HRESULT CNeloWavCtrl::GetClassID(CLSID *pclsid) {
    if (pclsid == nullptr)
        return E_POINTER;
    *pclsid = CLSID_NeloWav;
    return S_OK;
}

CTypeLibCache *CNeloWavCtrl::GetTypeLibCache() {
    return &g_typeLibCache;
}

HRESULT CNeloWavCtrl::GetTypeLib(LCID lcid, ITypeLib **ppTypeLib) {
    return LoadRegTypeLib(LIBID_NelowavLib, kTypeLibMajorVersion, kTypeLibMinorVersion, lcid,
                          ppTypeLib);
}

AFX_DISPMAP CNeloWavCtrl::GetDispatchMap() const {
    return kDispatchMap;
}

AFX_EVENTMAP CNeloWavCtrl::GetEventMap() const {
    return eventMap();
}

AFX_VERBMAP CNeloWavCtrl::GetMessageMap() const {
    return kMessageMap;
}

std::span<const CLSID> CNeloWavCtrl::GetPropPageIDs() const {
    return kPropPageIds;
}

UINT CNeloWavCtrl::GetUserTypeNameID() const {
    return IDS_NELOWAV;
}

DWORD CNeloWavCtrl::GetMiscStatus() const {
    return kMiscStatus;
}

void CNeloWavCtrl::DoPropExchange(CPropExchange *pPX) {
    ExchangeVersion(pPX, kControlVersion);
    COleControl::DoPropExchange(pPX);
}

void CNeloWavCtrl::OnDraw(QPainter *pdc, const QRect &rcBounds) {
    if (m_bSizeForced != 0 ||
        (rcBounds.width() == kFaceWidth && rcBounds.height() == kFaceHeight)) {
        m_bSizeForced = 0;
        CPictureHolder picture;
        picture.CreateFromBitmap(IDB_NELOWAV_FACE);
        picture.Render(pdc, rcBounds);
        return;
    }
    // The face has one size: ask for it back; the host's redraw then paints it.
    m_bSizeForced = 1;
    SetControlSize(kFaceWidth, kFaceHeight);
}

LRESULT CNeloWavCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY)
        FireDone(static_cast<int16_t>(static_cast<uint16_t>(wParam & 0xFFFF)));
    return COleControl::WindowProc(message, wParam, lParam);
}

void CNeloWavCtrl::FireDone(int16_t NotifyCode) {
    FireEvent(eventidDone, NotifyCode);
}

int32_t CNeloWavCtrl::GetErrorCode() {
    return m_session.ErrorCode();
}

BSTR CNeloWavCtrl::GetErrorMessage() {
    return bstrFromUtf8(ErrorMessageText(m_session.ErrorCode()));
}

void CNeloWavCtrl::AboutBox() {
    CDialog dlgAbout(IDD_ABOUTBOX_NELOWAV);
    dlgAbout.DoModal();
}
