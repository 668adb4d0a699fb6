#include "control_support.h"

#include "com/creation.h"
#include "com/registry.h"
#include "dispatch_call.h"
#include "interface/nelowav_ids.h"

#include <cstdio>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sstream>

HRESULT callModuleExport(const char *name) {
    void *module = dlopen(NELOWAV_MODULE, RTLD_NOW);
    if (module == nullptr)
        return E_FAIL;
    auto function = reinterpret_cast<HRESULT (*)()>(dlsym(module, name));
    const HRESULT hr = function != nullptr ? function() : E_FAIL;
    dlclose(module);
    return hr;
}

void registerModuleFreshly() {
    std::remove(Registry::path().c_str());
    ASSERT_EQ(callModuleExport("DllRegisterServer"), S_OK);
}

ComPtr<IDispatch> createControl() {
    ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(CLSID_NeloWav, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               control.putVoid()),
              S_OK);
    return control;
}

HRESULT callByName(IDispatch *control, const char *name, std::vector<VARIANT> args, VARIANT *result,
                   uint32_t *argErr) {
    const std::u16string wide = utf16FromUtf8(name);
    const OLECHAR *names[] = {wide.c_str()};
    DISPID dispid = 0;
    if (const HRESULT hr = control->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid); FAILED(hr))
        return hr;
    return invokeMethod(control, dispid, std::move(args), result, argErr);
}

MciCode errorCode(IDispatch *control) {
    Variant result;
    EXPECT_EQ(callByName(control, "GetErrorCode", {}, result.get()), S_OK);
    EXPECT_EQ(result.type(), VT_I4);
    return result->lVal;
}

std::string errorMessage(IDispatch *control) {
    Variant result;
    EXPECT_EQ(callByName(control, "GetErrorMessage", {}, result.get()), S_OK);
    EXPECT_EQ(result.type(), VT_BSTR);
    return utf8FromBstr(result->bstrVal);
}

std::vector<std::string> wordsOf(const std::string &text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

VARIANT variantText(const char *text) {
    VARIANT v{};
    v.vt = VT_BSTR;
    v.bstrVal = bstrFromUtf8(text);
    return v;
}

MciCode ControlTest::call(const char *method, std::vector<VARIANT> args) {
    EXPECT_EQ(callByName(control.get(), method, std::move(args)), S_OK) << method;
    return errorCode(control.get());
}

MciCode ControlTest::callWithPath(const char *method, const std::string &path) {
    Variant argument(path);
    return call(method, {*argument.get()});
}

int32_t ControlTest::length() {
    Variant result;
    EXPECT_EQ(callByName(control.get(), "GetLength", {}, result.get()), S_OK);
    return result->lVal;
}
