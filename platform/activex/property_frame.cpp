// The dialog that holds a control's property pages.
#include "activex/property_frame.h"

#include "activex/modal_dialog.h"
#include "activex/ole_interfaces.h"
#include "com/creation.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <vector>

namespace {

HRESULT createPages(std::span<const CLSID> pages, IUnknown *object,
                    std::vector<ComPtr<IPropertyPage>> &created) {
    for (const CLSID &clsid : pages) {
        ComPtr<IPropertyPage> page;
        HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                      page.putVoid());
        if (SUCCEEDED(hr))
            hr = page->SetObjects(1, &object);
        if (FAILED(hr))
            return hr;
        created.push_back(std::move(page));
    }
    return S_OK;
}

} // namespace

HRESULT OleCreatePropertyFrame(QWidget *parent, const QString &caption, IUnknown *object,
                               std::span<const CLSID> pages) {
    if (!AfxCanShowDialogs())
        return E_UNEXPECTED;
    if (object == nullptr)
        return E_POINTER;
    std::vector<ComPtr<IPropertyPage>> created;
    if (const HRESULT hr = createPages(pages, object, created); FAILED(hr))
        return hr;

    QDialog frame(parent);
    frame.setWindowTitle(caption);
    auto *layout = new QVBoxLayout(&frame);
    auto *tabs = new QTabWidget(&frame);
    layout->addWidget(tabs);
    for (const ComPtr<IPropertyPage> &page : created) {
        BStr title;
        QWidget *widget = nullptr;
        if (FAILED(page->GetPageTitle(title.put())) || FAILED(page->Activate(tabs, &widget)))
            return E_FAIL;
        tabs->addTab(widget, QString::fromStdString(title.utf8()));
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &frame);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &frame, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &frame, &QDialog::reject);

    const bool accepted = frame.exec() == QDialog::Accepted;
    for (const ComPtr<IPropertyPage> &page : created) {
        if (accepted)
            page->Apply();
        page->Deactivate();
    }
    return S_OK;
}
