// COleControl: reference counting, the window, embedding, size, drawing and persistence.
#include "activex/ole_control.h"

#include "activex/message_window.h"
#include "activex/ole_control_module.h"
#include "activex/property_frame.h"

#include <QPainter>

COleControl::COleControl() {
    AfxOleLockApp();
    m_window = new CMessageWindow([this](UINT message, WPARAM wParam, LPARAM lParam) {
        // The host may release the control from inside an event fired here.
        const ComPtr<IUnknown> keepAlive(GetIUnknown());
        return WindowProc(message, wParam, lParam);
    });
}

COleControl::~COleControl() {
    CMessageWindow::destroy(m_window);
    if (m_eventConnection)
        m_eventConnection->unadviseAll();
    AfxOleUnlockApp();
}

void *COleControl::findOtherInterface(REFIID riid) {
    if (riid == m_piidPrimary)
        return static_cast<IDispatch *>(this);
    if (riid == IID_IOleObject)
        return static_cast<IOleObject *>(&m_xOleObject);
    if (riid == IID_IPersistPropertyBag)
        return static_cast<IPersistPropertyBag *>(&m_xPersistPropertyBag);
    return nullptr;
}

void COleControl::InitializeIIDs(const IID *piidPrimary, const IID *piidEvents) {
    m_piidPrimary = *piidPrimary;
    m_piidEvents = *piidEvents;
    m_eventConnection.emplace(*this, m_piidEvents);
}

HRESULT COleControl::XOleObject::SetClientSite(IOleInPlaceSite *site) {
    m_owner.m_site = ComPtr<IOleInPlaceSite>(site);
    return S_OK;
}

AFX_VERBMAP COleControl::GetMessageMap() const {
    return {};
}

HRESULT COleControl::XOleObject::DoVerb(int32_t verb, QWidget *parent) {
    for (const AFX_VERBMAP_ENTRY &entry : m_owner.GetMessageMap())
        if (entry.verb == verb)
            return (m_owner.*entry.handler)(parent) != 0 ? S_OK : E_FAIL;
    return OLEOBJ_E_INVALIDVERB;
}

BOOL COleControl::OnProperties(QWidget *parent) {
    const COleControlModule *module = AfxGetInstanceHandle();
    const QString caption = module != nullptr ? module->LoadString(GetUserTypeNameID()) : QString();
    return SUCCEEDED(OleCreatePropertyFrame(parent, caption, GetIUnknown(), GetPropPageIDs())) ? 1
                                                                                               : 0;
}

HRESULT COleControl::XOleObject::GetExtent(QSize *size) {
    if (size == nullptr)
        return E_POINTER;
    *size = m_owner.m_extent;
    return S_OK;
}

HRESULT COleControl::XOleObject::SetExtent(const QSize &size) {
    if (size.width() < 0 || size.height() < 0)
        return E_INVALIDARG;
    m_owner.m_extent = size;
    return S_OK;
}

HRESULT COleControl::XOleObject::GetMiscStatus(DWORD *status) {
    if (status == nullptr)
        return E_POINTER;
    *status = m_owner.GetMiscStatus();
    return S_OK;
}

HRESULT COleControl::XOleObject::Close() {
    m_owner.m_site.reset();
    if (m_owner.m_eventConnection)
        m_owner.m_eventConnection->unadviseAll();
    return S_OK;
}

HRESULT COleControl::Draw(QPainter *painter, const QRect &bounds) {
    if (painter == nullptr)
        return E_POINTER;
    OnDraw(painter, bounds);
    return S_OK;
}

void COleControl::OnDraw(QPainter *, const QRect &) {
}

LRESULT COleControl::WindowProc(UINT, WPARAM, LPARAM) {
    return 0;
}

HWND COleControl::GetSafeHwnd() const {
    return m_window->handle();
}

HRESULT COleControl::GetWindow(HWND *phwnd) {
    if (phwnd == nullptr)
        return E_POINTER;
    *phwnd = GetSafeHwnd();
    return *phwnd != nullptr ? S_OK : E_FAIL;
}

BOOL COleControl::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return PostMessageA(GetSafeHwnd(), message, wParam, lParam);
}

void COleControl::SetInitialSize(int cx, int cy) {
    m_extent = QSize(cx, cy);
}

BOOL COleControl::SetControlSize(int cx, int cy) {
    if (cx < 0 || cy < 0)
        return 0;
    if (m_site && m_site->OnPosRectChange(QRect(0, 0, cx, cy)) != S_OK)
        return 0;
    m_extent = QSize(cx, cy);
    return 1;
}

void COleControl::ExchangeVersion(CPropExchange *pPX, DWORD dwVersionDefault, BOOL) {
    int32_t version = static_cast<int32_t>(dwVersionDefault);
    PX_Long(pPX, "_Version", version, static_cast<int32_t>(dwVersionDefault));
    pPX->SetVersion(static_cast<DWORD>(version));
    m_dwVersionLoaded = static_cast<DWORD>(version);
}

void COleControl::DoPropExchange(CPropExchange *pPX) {
    int32_t width = m_extent.width();
    int32_t height = m_extent.height();
    PX_Long(pPX, "_ExtentX", width, m_extent.width());
    PX_Long(pPX, "_ExtentY", height, m_extent.height());
    if (pPX->IsLoading() != 0 && width >= 0 && height >= 0)
        m_extent = QSize(width, height);
}

void COleControl::OnResetState() {
}

HRESULT COleControl::XPersistPropertyBag::InitNew() {
    m_owner.OnResetState();
    return S_OK;
}

HRESULT COleControl::XPersistPropertyBag::Load(IPropertyBag *bag) {
    if (bag == nullptr)
        return E_POINTER;
    CPropExchange exchange(bag, true);
    m_owner.DoPropExchange(&exchange);
    return S_OK;
}

HRESULT COleControl::XPersistPropertyBag::Save(IPropertyBag *bag, BOOL, BOOL) {
    if (bag == nullptr)
        return E_POINTER;
    CPropExchange exchange(bag, false);
    m_owner.DoPropExchange(&exchange);
    return exchange.Failed() ? E_FAIL : S_OK;
}
