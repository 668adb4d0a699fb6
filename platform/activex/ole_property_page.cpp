// Property pages as COM objects that build their widget from a dialog template.
#include "activex/ole_property_page.h"

#include "activex/dialog_template.h"
#include "activex/ole_control_module.h"

COlePropertyPage::COlePropertyPage(UINT idDlg, UINT idCaption)
    : m_idDlg(idDlg)
    , m_idCaption(idCaption) {
    AfxOleLockApp();
}

COlePropertyPage::~COlePropertyPage() {
    Deactivate();
    AfxOleUnlockApp();
}

HRESULT COlePropertyPage::GetPageTitle(BSTR *title) {
    if (title == nullptr)
        return E_POINTER;
    const COleControlModule *module = AfxGetInstanceHandle();
    *title = bstrFromUtf8(module != nullptr ? module->LoadString(m_idCaption).toStdString() : "");
    return *title != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT COlePropertyPage::Activate(QWidget *parent, QWidget **page) {
    if (page == nullptr)
        return E_POINTER;
    *page = nullptr;
    const COleControlModule *module = AfxGetInstanceHandle();
    const DialogTemplate *dialogTemplate =
        module != nullptr ? module->FindDialogTemplate(m_idDlg) : nullptr;
    if (dialogTemplate == nullptr)
        return E_FAIL;
    return catchOutOfMemory([&] {
        auto *widget = new QWidget(parent);
        buildDialogItems(*dialogTemplate, widget);
        OnInitPage(widget);
        m_page = widget;
        *page = widget;
        return S_OK;
    });
}

HRESULT COlePropertyPage::Deactivate() {
    delete m_page.data();
    m_page = nullptr;
    return S_OK;
}

HRESULT COlePropertyPage::SetObjects(uint32_t count, IUnknown **objects) {
    if (count > 0 && objects == nullptr)
        return E_POINTER;
    return catchOutOfMemory([&] {
        std::vector<ComPtr<IUnknown>> kept;
        for (uint32_t i = 0; i < count; ++i)
            kept.emplace_back(objects[i]);
        m_objects = std::move(kept);
        return S_OK;
    });
}

HRESULT COlePropertyPage::Apply() {
    return S_OK;
}

void COlePropertyPage::OnInitPage(QWidget *) {
}
