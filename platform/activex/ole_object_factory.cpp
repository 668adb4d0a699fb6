// The module's list of class factories and their IClassFactory.
#include "activex/ole_object_factory.h"

#include "activex/ole_control_module.h"

namespace {

COleObjectFactory *g_firstFactory = nullptr;

} // namespace

COleObjectFactory::COleObjectFactory(REFCLSID clsid, const CRuntimeClass *runtimeClass, BOOL,
                                     const char *)
    : m_clsid(clsid)
    , m_runtimeClass(runtimeClass)
    , m_next(g_firstFactory) {
    g_firstFactory = this;
}

COleObjectFactory::~COleObjectFactory() {
    for (COleObjectFactory **link = &g_firstFactory; *link != nullptr; link = &(*link)->m_next)
        if (*link == this) {
            *link = m_next;
            break;
        }
}

uint32_t COleObjectFactory::AddRef() {
    AfxOleLockApp();
    return 2;
}

uint32_t COleObjectFactory::Release() {
    AfxOleUnlockApp();
    return 1;
}

HRESULT COleObjectFactory::CreateInstance(IUnknown *outer, REFIID riid, void **ppvObject) {
    if (ppvObject == nullptr)
        return E_POINTER;
    *ppvObject = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    try {
        return catchOutOfMemory([&] {
            IUnknown *object = m_runtimeClass->m_pfnCreateObject();
            if (object == nullptr)
                return E_OUTOFMEMORY;
            const HRESULT hr = object->QueryInterface(riid, ppvObject);
            object->Release();
            return hr;
        });
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT COleObjectFactory::LockServer(bool lock) {
    if (lock)
        AfxOleLockApp();
    else
        AfxOleUnlockApp();
    return S_OK;
}

BOOL COleObjectFactory::UpdateRegistryAll(BOOL bRegister) {
    for (COleObjectFactory *factory = g_firstFactory; factory != nullptr; factory = factory->m_next)
        if (factory->UpdateRegistry(bRegister) == 0)
            return 0;
    return 1;
}

COleObjectFactory *COleObjectFactory::Find(REFCLSID clsid) {
    for (COleObjectFactory *factory = g_firstFactory; factory != nullptr; factory = factory->m_next)
        if (factory->m_clsid == clsid)
            return factory;
    return nullptr;
}

HRESULT AfxDllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv) {
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    COleObjectFactory *factory = COleObjectFactory::Find(rclsid);
    if (factory == nullptr)
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(riid, ppv);
}
