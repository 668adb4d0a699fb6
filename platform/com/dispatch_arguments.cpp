// Argument checking and name lookup for IDispatch implementations.
#include "com/dispatch_arguments.h"

#include <new>

HRESULT DispGetParam(const DISPPARAMS *params, uint32_t position, VARTYPE vt, VARIANT *result,
                     uint32_t *puArgErr) {
    if (!result)
        return E_POINTER;
    const uint32_t count = params ? params->cArgs : 0;
    if (position >= count)
        return DISP_E_PARAMNOTFOUND;
    const uint32_t index = count - 1 - position;
    VariantClear(result);
    const HRESULT hr = VariantChangeType(result, &params->rgvarg[index], 0, vt);
    if (FAILED(hr) && puArgErr)
        *puArgErr = index;
    return hr == DISP_E_BADVARTYPE ? DISP_E_TYPEMISMATCH : hr;
}

HRESULT DispGetIDsOfNames(ITypeInfo *ptinfo, const OLECHAR *const *names, uint32_t cNames,
                          DISPID *rgDispId) {
    if (!ptinfo)
        return E_INVALIDARG;
    return ptinfo->GetIDsOfNames(names, cNames, rgDispId);
}

HRESULT findFuncDesc(ITypeInfo *ptinfo, MEMBERID memid, const FUNCDESC **ppFuncDesc) {
    if (!ptinfo || !ppFuncDesc)
        return E_POINTER;
    *ppFuncDesc = nullptr;
    const TYPEATTR *attr = nullptr;
    HRESULT hr = ptinfo->GetTypeAttr(&attr);
    if (FAILED(hr))
        return hr;
    for (uint32_t i = 0; i < attr->cFuncs; ++i) {
        const FUNCDESC *func = nullptr;
        hr = ptinfo->GetFuncDesc(i, &func);
        if (FAILED(hr))
            return hr;
        if (func->memid == memid) {
            *ppFuncDesc = func;
            return S_OK;
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT checkDispatchArguments(const FUNCDESC &func, const DISPPARAMS *params,
                               std::vector<Variant> &out, uint32_t *puArgErr) {
    const uint32_t count = params ? params->cArgs : 0;
    if (params && params->cNamedArgs > 0)
        return DISP_E_NONAMEDARGS;
    if (count != func.params.size())
        return DISP_E_BADPARAMCOUNT;
    const HRESULT checked = catchOutOfMemory([&] {
        out.clear();
        out.resize(count);
        for (uint32_t position = 0; position < count; ++position) {
            const VARTYPE wanted = func.params[position].vt;
            const uint32_t index = count - 1 - position;
            const VARIANT &arg = params->rgvarg[index];
            HRESULT hr = S_OK;
            if (wanted & VT_BYREF) {
                if (arg.vt != wanted || !arg.byref)
                    hr = DISP_E_TYPEMISMATCH;
                else
                    *out[position].get() = arg;
            } else if (wanted == VT_VARIANT) {
                hr = VariantCopyInd(out[position].get(), &arg);
            } else {
                hr = DispGetParam(params, position, wanted, out[position].get(), puArgErr);
            }
            if (FAILED(hr)) {
                if (puArgErr)
                    *puArgErr = index;
                return hr;
            }
        }
        return S_OK;
    });
    if (FAILED(checked))
        out.clear();
    return checked;
}
