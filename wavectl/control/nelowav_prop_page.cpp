// The "General" property page and its class factory.
#include "nelowav_prop_page.h"

#include "activex/ole_registration.h"
#include "interface/nelowav_ids.h"
#include "nelowav_resources.h"

const CRuntimeClass CNeloWavPropPage::classCNeloWavPropPage = {"CNeloWavPropPage",
                                                               &CNeloWavPropPage::CreateObject};

CNeloWavPropPage::CNeloWavPropPageFactory CNeloWavPropPage::factory;

CNeloWavPropPage::CNeloWavPropPageFactory::CNeloWavPropPageFactory()
    : COleObjectFactory(CLSID_NeloWavPropPage, &classCNeloWavPropPage, 0, kNeloWavPropPageProgId) {
}

BOOL CNeloWavPropPage::CNeloWavPropPageFactory::UpdateRegistry(BOOL bRegister) {
    if (bRegister == 0)
        return AfxOleUnregisterClass(CLSID_NeloWavPropPage, nullptr);
    return AfxOleRegisterPropertyPageClass(AfxGetInstanceHandle(), CLSID_NeloWavPropPage,
                                           IDS_NELOWAV_PPG);
}

IUnknown *CNeloWavPropPage::CreateObject() {
    return new CNeloWavPropPage;
}

CNeloWavPropPage::CNeloWavPropPage()
    : COlePropertyPage(IDD_PROPPAGE_NELOWAV, IDS_NELOWAV_PPG_CAPTION) {
}
