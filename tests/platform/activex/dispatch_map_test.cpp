#include "dispatch_call.h"
#include "test_control.h"
#include "variant_arguments.h"

#include <array>
#include <gtest/gtest.h>

namespace {

class DispatchMapTest : public testing::Test {
  protected:
    ComPtr<IDispatch> control = createTestControl();
};

TEST_F(DispatchMapTest, NamesResolveWithoutRegardToCase) {
    const OLECHAR *names[] = {u"aDD", u"right", u"LEFT"};
    DISPID ids[3] = {};
    ASSERT_EQ(control->GetIDsOfNames(IID_NULL, names, 3, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], 0);

    const OLECHAR *unknown[] = {u"Subtract"};
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);
}

TEST_F(DispatchMapTest, ArgumentsAreConvertedToTheLibraryTypes) {
    Variant left(std::string_view("40"));
    Variant result;
    ASSERT_EQ(invokeMethod(control.get(), 1, {*left.get(), variantI4(2)}, result.get()), S_OK);
    ASSERT_EQ(result.type(), VT_I4);
    EXPECT_EQ(result->lVal, 42);

    Variant negated;
    ASSERT_EQ(invokeMethod(control.get(), 4, {variantI4(5)}, negated.get()), S_OK);
    ASSERT_EQ(negated.type(), VT_I2);
    EXPECT_EQ(negated->iVal, -1);
}

struct BadCall {
    const char *what;
    DISPID dispid;
    std::vector<VARIANT> args;
    HRESULT expected;
    uint32_t argErr;
};

class DispatchMapBadCallTest : public DispatchMapTest,
                               public testing::WithParamInterface<BadCall> {};

TEST_P(DispatchMapBadCallTest, IsRefusedWithThePlatformCode) {
    uint32_t argErr = 99;
    Variant result;
    EXPECT_EQ(
        invokeMethod(control.get(), GetParam().dispid, GetParam().args, result.get(), &argErr),
        GetParam().expected)
        << GetParam().what;
    EXPECT_EQ(argErr, GetParam().argErr) << GetParam().what;
    EXPECT_EQ(result.type(), VT_EMPTY) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, DispatchMapBadCallTest,
    testing::Values(
        BadCall{"too few", 1, {variantI4(1)}, DISP_E_BADPARAMCOUNT, 99},
        BadCall{"too many", 5, {variantI4(1)}, DISP_E_BADPARAMCOUNT, 99},
        BadCall{"short overflows", 1, {variantI4(1), variantI4(70000)}, DISP_E_OVERFLOW, 0},
        BadCall{"array by value", 3, {variantI2(1), variantI4(1)}, DISP_E_TYPEMISMATCH, 1},
        BadCall{"not in the library", 77, {}, DISP_E_MEMBERNOTFOUND, 99},
        BadCall{"in the library, not in the map", 6, {}, DISP_E_MEMBERNOTFOUND, 99}));

TEST_F(DispatchMapTest, UnparsableTextIsATypeMismatchAtItsIndex) {
    Variant text(std::string_view("forty"));
    uint32_t argErr = 99;
    EXPECT_EQ(invokeMethod(control.get(), 1, {*text.get(), variantI4(2)}, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);
}

TEST_F(DispatchMapTest, OnlyMethodCallsAndTheNullInterfaceAreServed) {
    EXPECT_EQ(invokeMethod(control.get(), 5, {}, nullptr, nullptr, DISPATCH_PROPERTYGET),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invokeMethod(control.get(), 5, {}, nullptr, nullptr,
                           DISPATCH_METHOD | DISPATCH_PROPERTYGET),
              S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(
        control->Invoke(5, IID_IDispatch, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
        DISP_E_UNKNOWNINTERFACE);
}

TEST_F(DispatchMapTest, NamedArgumentsAreRefused) {
    VARIANT args[2] = {variantI2(1), variantI4(2)};
    DISPID named[2] = {1, 0};
    DISPPARAMS params{args, named, 2, 2};
    EXPECT_EQ(control->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
}

TEST_F(DispatchMapTest, ArraysArePassedByReferenceToTheCallersElements) {
    std::array<int16_t, 4> elements{-1, -1, -1, -1};
    ASSERT_EQ(invokeMethod(control.get(), 3, {variantShortArray(elements.data()), variantI4(3)}),
              S_OK);
    EXPECT_EQ(elements, (std::array<int16_t, 4>{0, 3, 6, -1}));
}

TEST_F(DispatchMapTest, StringsCrossAsUtf8BothWays) {
    Variant text(std::string_view("Grüße, \"wave\""));
    Variant result;
    ASSERT_EQ(invokeMethod(control.get(), 2, {*text.get()}, result.get()), S_OK);
    ASSERT_EQ(result.type(), VT_BSTR);
    EXPECT_EQ(utf8FromBstr(result->bstrVal), "Grüße, \"wave\"");
    EXPECT_EQ(invokeMethod(control.get(), 2, {*text.get()}), S_OK) << "a result nobody takes";
}

TEST_F(DispatchMapTest, TypeInfoDescribesThePrimaryInterface) {
    uint32_t count = 0;
    ASSERT_EQ(control->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(control->GetTypeInfo(0, 0, info.put()), S_OK);
    const TYPEATTR *attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, IID_DTestCtrl);
    EXPECT_EQ(control->GetTypeInfo(1, 0, info.put()), DISP_E_BADINDEX);

    ComPtr<IProvideClassInfo> classInfo;
    ASSERT_EQ(control.queryInterface(IID_IProvideClassInfo, classInfo), S_OK);
    ASSERT_EQ(classInfo->GetClassInfo(info.put()), S_OK);
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, CLSID_TestCtrl);
}

} // namespace
