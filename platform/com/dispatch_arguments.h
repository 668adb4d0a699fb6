// Helpers for implementing IDispatch on top of type information: name lookup, and the
// checking and conversion of a call's arguments to a method's parameter types.
#pragma once

#include "com/type_info.h"

#include <vector>

// Fetches the argument at position (0 = first parameter, in natural order) converted to vt.
// DISP_E_PARAMNOTFOUND when there is no such argument, DISP_E_TYPEMISMATCH or
// DISP_E_OVERFLOW (with *puArgErr set to its rgvarg index) when it does not convert.
// result must be initialised; it is cleared before being filled.
HRESULT DispGetParam(const DISPPARAMS *params, uint32_t position, VARTYPE vt, VARIANT *result,
                     uint32_t *puArgErr);

// IDispatch::GetIDsOfNames answered from a type info.
HRESULT DispGetIDsOfNames(ITypeInfo *ptinfo, const OLECHAR *const *names, uint32_t cNames,
                          DISPID *rgDispId);

// Checks a call against a method and converts its arguments, in the order of the
// parameters, into out (replacing its contents):
//  - named arguments: DISP_E_NONAMEDARGS;
//  - a count other than the method's: DISP_E_BADPARAMCOUNT;
//  - a by-reference parameter takes only an argument of exactly that by-reference type (the
//    pointer is copied, so writes reach the caller); a by-value one takes anything that
//    VariantChangeType converts (a by-reference argument is followed), else its error
//    (DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW) with *puArgErr set to the argument's rgvarg
//    index (puArgErr may be null).
// params may be null for a call without arguments.
HRESULT checkDispatchArguments(const FUNCDESC &func, const DISPPARAMS *params,
                               std::vector<Variant> &out, uint32_t *puArgErr);

// Finds the method with this identifier in a dispatch type info: DISP_E_MEMBERNOTFOUND if none.
HRESULT findFuncDesc(ITypeInfo *ptinfo, MEMBERID memid, const FUNCDESC **ppFuncDesc);
