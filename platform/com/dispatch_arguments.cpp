// Placeholder until dispatch helpers land.
#include "com/dispatch_arguments.h"

HRESULT DispGetParam(const DISPPARAMS *, uint32_t, VARTYPE, VARIANT *, uint32_t *) { return E_NOTIMPL; }
HRESULT DispGetIDsOfNames(ITypeInfo *, const OLECHAR *const *, uint32_t, DISPID *) { return E_NOTIMPL; }
HRESULT checkDispatchArguments(const FUNCDESC &, const DISPPARAMS *, std::vector<Variant> &, uint32_t *) { return E_NOTIMPL; }
HRESULT findFuncDesc(ITypeInfo *, MEMBERID, const FUNCDESC **) { return E_NOTIMPL; }
