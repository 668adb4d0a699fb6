// The "About" property page: the control's name, version and purpose.
#pragma once

#include "activex/ole_object_factory.h"
#include "activex/ole_property_page.h"

class CAboutPropPage final : public COlePropertyPage {
  public:
    static const CRuntimeClass classCAboutPropPage;
    static IUnknown *CreateObject();

    class CAboutPropPageFactory final : public COleObjectFactory {
      public:
        CAboutPropPageFactory();
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CAboutPropPageFactory factory;

  private:
    CAboutPropPage();
};
