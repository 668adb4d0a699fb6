#include "activex/ole_interfaces.h"
#include "com/type_info.h"
#include "control_support.h"
#include "interface/nelowav_ids.h"

#include <array>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

using NeloWavInterfaceTest = ControlTest;

struct MethodShape {
    DISPID dispid;
    const char *name;
    VARTYPE result;
    std::vector<std::pair<const char *, VARTYPE>> params;
};

const std::vector<MethodShape> &dispatchInterface() {
    static const std::vector<MethodShape> methods = {
        {1, "Open", VT_VOID, {{"WavFilename", VT_BSTR}}},
        {2, "GetErrorCode", VT_I4, {}},
        {3, "Play", VT_VOID, {{"From", VT_I4}, {"To", VT_I4}, {"Wait", VT_BOOL}}},
        {4, "Stop", VT_VOID, {}},
        {5, "Seek", VT_VOID, {{"To", VT_I4}}},
        {6, "GetLength", VT_I4, {}},
        {7, "GetPosition", VT_I4, {}},
        {8, "GetNumBits", VT_I2, {}},
        {9, "GetNumChannels", VT_I2, {}},
        {10, "WavFileToArray", VT_VOID, {{"pArray", VT_BYREF | VT_I2}, {"ArrayLength", VT_I4}}},
        {11, "ArrayToWavFile", VT_VOID, {{"pArray", VT_BYREF | VT_I2}, {"ArrayLength", VT_I4}}},
        {12, "GetMode", VT_I4, {}},
        {13, "Record", VT_VOID, {{"From", VT_I4}, {"To", VT_I4}, {"Wait", VT_BOOL}}},
        {14, "Save", VT_VOID, {}},
        {15, "Delete", VT_VOID, {{"From", VT_I4}, {"To", VT_I4}}},
        {16, "Pause", VT_VOID, {}},
        {17, "SaveAs", VT_VOID, {{"WavFilename", VT_BSTR}}},
        {18, "GetWavFilename", VT_BSTR, {}},
        {19, "GetSamplingRate", VT_I4, {}},
        {20, "SetSamplingRate", VT_VOID, {{"SamplingRate", VT_I4}}},
        {21, "Close", VT_VOID, {}},
        {22, "ChangeVolume", VT_VOID, {{"From", VT_I4}, {"To", VT_I4}, {"Factor", VT_R4}}},
        {23, "GetErrorMessage", VT_BSTR, {}},
        {24, "Copy", VT_VOID, {{"From", VT_I4}, {"To", VT_I4}}},
        {25, "Paste", VT_VOID, {{"From", VT_I4}, {"To", VT_I4}}},
        {-552, "AboutBox", VT_VOID, {}},
    };
    return methods;
}

TEST_F(NeloWavInterfaceTest, TypeLibraryDescribesEveryMethodWithItsParameters) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(control->GetTypeInfo(0, 0, info.put()), S_OK);
    const TYPEATTR *attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, IID_DNeloWav);
    ASSERT_EQ(attributes->cFuncs, dispatchInterface().size());
    for (uint32_t i = 0; i < attributes->cFuncs; ++i) {
        const FUNCDESC *function = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &function), S_OK);
        const MethodShape &expected = dispatchInterface()[i];
        EXPECT_EQ(function->memid, expected.dispid) << expected.name;
        EXPECT_EQ(function->name, expected.name);
        EXPECT_EQ(function->vtReturn, expected.result) << expected.name;
        ASSERT_EQ(function->params.size(), expected.params.size()) << expected.name;
        for (size_t p = 0; p < expected.params.size(); ++p) {
            EXPECT_EQ(function->params[p].name, expected.params[p].first) << expected.name;
            EXPECT_EQ(function->params[p].vt, expected.params[p].second) << expected.name;
        }
    }
}

TEST_F(NeloWavInterfaceTest, EveryNameResolvesToItsDispatchIdentifier) {
    for (const MethodShape &method : dispatchInterface()) {
        const std::u16string name = utf16FromUtf8(method.name);
        const OLECHAR *names[] = {name.c_str()};
        DISPID dispid = 0;
        ASSERT_EQ(control->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid), S_OK) << method.name;
        EXPECT_EQ(dispid, method.dispid) << method.name;
    }
}

TEST_F(NeloWavInterfaceTest, EventInterfaceHasDoneWithAShortNotifyCode) {
    ComPtr<IProvideClassInfo> classInfo;
    ASSERT_EQ(control.queryInterface(IID_IProvideClassInfo, classInfo), S_OK);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(classInfo->GetClassInfo(coclass.put()), S_OK);
    ComPtr<ITypeLib> library;
    ASSERT_EQ(coclass->GetContainingTypeLib(library.put(), nullptr), S_OK);
    ComPtr<ITypeInfo> events;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_DNeloWavEvents, events.put()), S_OK);
    const FUNCDESC *done = nullptr;
    ASSERT_EQ(events->GetFuncDesc(0, &done), S_OK);
    EXPECT_EQ(done->memid, 1);
    EXPECT_EQ(done->name, "Done");
    ASSERT_EQ(done->params.size(), 1u);
    EXPECT_EQ(done->params[0].name, "NotifyCode");
    EXPECT_EQ(done->params[0].vt, VT_I2);
}

TEST_F(NeloWavInterfaceTest, WrongArgumentCountsAndTypesAreRefused) {
    uint32_t argErr = 99;
    EXPECT_EQ(callByName(control.get(), "Play", {variantI4(0), variantI4(1)}),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(callByName(control.get(), "GetLength", {variantI4(0)}), DISP_E_BADPARAMCOUNT);
    Variant text(std::string_view("soon"));
    EXPECT_EQ(callByName(control.get(), "Seek", {*text.get()}, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);
    EXPECT_EQ(
        callByName(control.get(), "WavFileToArray", {variantI4(0), variantI4(4)}, nullptr, &argErr),
        DISP_E_TYPEMISMATCH)
        << "an array must come by reference";
    EXPECT_EQ(argErr, 1u);
    EXPECT_EQ(callByName(control.get(), "Rewind"), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(errorCode(control.get()), 0) << "refused calls run nothing";
}

TEST_F(NeloWavInterfaceTest, TextArgumentsConvertToTheParameterTypes) {
    Variant from(std::string_view("10"));
    Variant wait(std::string_view("False"));
    EXPECT_EQ(callByName(control.get(), "Play", {*from.get(), variantI4(-1), *wait.get()}), S_OK);
}

} // namespace
