// IClassFactory: what a module hands out from DllGetClassObject to make instances of a class.
#pragma once

#include "com/unknown.h"

extern const IID IID_IClassFactory;

struct IClassFactory : IUnknown {
    // outer is the controlling object for aggregation; factories that cannot aggregate
    // return CLASS_E_NOAGGREGATION when it is not null.
    virtual HRESULT CreateInstance(IUnknown *outer, REFIID riid, void **ppvObject) = 0;
    // A locked server stays loaded (DllCanUnloadNow answers S_FALSE) with no object alive.
    virtual HRESULT LockServer(bool lock) = 0;
};
template <>
struct InterfaceTraits<IClassFactory> : InterfaceDescription<IUnknown, IID_IClassFactory> {};
