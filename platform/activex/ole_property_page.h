// A property page: a dialog template shown as one tab of a control's property frame.
#pragma once

#include "activex/ole_interfaces.h"
#include "com/com_object.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class COlePropertyPage : public ComObject<IPropertyPage> {
  public:
    // idDlg is the page's dialog template, idCaption the string that is its tab's title.
    COlePropertyPage(UINT idDlg, UINT idCaption);
    ~COlePropertyPage() override;
    COlePropertyPage(const COlePropertyPage &) = delete;
    COlePropertyPage &operator=(const COlePropertyPage &) = delete;

    HRESULT GetPageTitle(BSTR *title) override;
    HRESULT Activate(QWidget *parent, QWidget **page) override;
    HRESULT Deactivate() override;
    HRESULT SetObjects(uint32_t count, IUnknown **objects) override;
    HRESULT Apply() override;

  protected:
    // The page's own data exchange after its widgets are built; the framework's does nothing.
    virtual void OnInitPage(QWidget *page);

  private:
    UINT m_idDlg;
    UINT m_idCaption;
    QPointer<QWidget> m_page;
    std::vector<ComPtr<IUnknown>> m_objects;
};
