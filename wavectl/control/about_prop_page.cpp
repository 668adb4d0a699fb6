// The "About" property page and its class factory.
#include "about_prop_page.h"

#include "activex/ole_registration.h"
#include "interface/nelowav_ids.h"
#include "nelowav_resources.h"

const CRuntimeClass CAboutPropPage::classCAboutPropPage = {"CAboutPropPage",
                                                           &CAboutPropPage::CreateObject};

CAboutPropPage::CAboutPropPageFactory CAboutPropPage::factory;

CAboutPropPage::CAboutPropPageFactory::CAboutPropPageFactory()
    : COleObjectFactory(CLSID_AboutPropPage, &classCAboutPropPage, 0, kAboutPropPageProgId) {
}

BOOL CAboutPropPage::CAboutPropPageFactory::UpdateRegistry(BOOL bRegister) {
    if (bRegister == 0)
        return AfxOleUnregisterClass(CLSID_AboutPropPage, nullptr);
    return AfxOleRegisterPropertyPageClass(AfxGetInstanceHandle(), CLSID_AboutPropPage,
                                           IDS_ABOUT_PPG);
}

IUnknown *CAboutPropPage::CreateObject() {
    return new CAboutPropPage;
}

CAboutPropPage::CAboutPropPage()
    : COlePropertyPage(IDD_PROPPAGE_ABOUT, IDS_ABOUT_PPG_CAPTION) {
}
