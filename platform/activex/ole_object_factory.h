// Class factories of a module: one static object per creatable class, found by
// DllGetClassObject, each with the registration routine of its class.
#pragma once

#include "base/platform_types.h"
#include "com/class_factory.h"
#include "com/com_object.h"

#include <string>

// What the factory knows of its class: its name and how to make one object.
struct CRuntimeClass {
    const char *m_lpszClassName;
    // A new object holding one reference, or null when out of memory.
    IUnknown *(*m_pfnCreateObject)();
};

class COleObjectFactory : public ComInterfaces<IClassFactory> {
  public:
    // bMultiInstance is the platform's flag for out-of-process servers; in-process factories
    // are built with it off and it changes nothing here. Each factory's registration routine
    // names its class's ProgID itself.
    COleObjectFactory(REFCLSID clsid, const CRuntimeClass *runtimeClass, BOOL bMultiInstance,
                      const char *lpszProgID);
    ~COleObjectFactory() override;
    COleObjectFactory(const COleObjectFactory &) = delete;
    COleObjectFactory &operator=(const COleObjectFactory &) = delete;

    // The factory is a static object: references only keep the module loaded.
    uint32_t AddRef() override;
    uint32_t Release() override;
    HRESULT CreateInstance(IUnknown *outer, REFIID riid, void **ppvObject) override;
    HRESULT LockServer(bool lock) override;

    // Registers (true) or unregisters (false) the class; nonzero on success.
    virtual BOOL UpdateRegistry(BOOL bRegister) = 0;

    // Runs every factory's UpdateRegistry, stopping at the first failure.
    static BOOL UpdateRegistryAll(BOOL bRegister);

    const CLSID &GetClassID() const { return m_clsid; }
    const CRuntimeClass *GetRuntimeClass() const { return m_runtimeClass; }

    // The factory of this module for clsid, or null.
    static COleObjectFactory *Find(REFCLSID clsid);

  private:
    CLSID m_clsid;
    const CRuntimeClass *m_runtimeClass;
    COleObjectFactory *m_next;
};

// DllGetClassObject's answer over this module's factories: CLASS_E_CLASSNOTAVAILABLE for a
// class the module does not serve.
HRESULT AfxDllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv);
