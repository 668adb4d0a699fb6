// The "General" property page, which only says that everything is available at run time.
#pragma once

#include "activex/ole_object_factory.h"
#include "activex/ole_property_page.h"

class CNeloWavPropPage final : public COlePropertyPage {
  public:
    static const CRuntimeClass classCNeloWavPropPage;
    static IUnknown *CreateObject();

    class CNeloWavPropPageFactory final : public COleObjectFactory {
      public:
        CNeloWavPropPageFactory();
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CNeloWavPropPageFactory factory;

  private:
    CNeloWavPropPage();
};
