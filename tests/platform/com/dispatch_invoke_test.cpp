// Late-bound calls into the test module's object: argument order, counts, types and results.
#include "com/creation.h"
#include "test_module_ids.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {
Variant byRef(int16_t *array) {
    Variant v;
    v->vt = VT_BYREF | VT_I2;
    v->piVal = array;
    return v;
}

class DispatchInvokeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), S_OK);
        ASSERT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   object.putVoid()),
                  S_OK);
    }

    PrivateRegistry registry;
    ComPtr<IDispatch> object;
};

struct BadCall {
    DISPID id;
    std::vector<Variant> args;
    HRESULT expected;
    uint32_t argErr; // rgvarg index of the offending argument, when there is one
};
} // namespace

TEST_F(DispatchInvokeTest, ArgumentsArriveInTheirDeclaredOrder) {
    Variant result;
    ASSERT_EQ(invokeMethod(object.get(), kCombine, {Variant(int16_t{3}), Variant(int32_t{45})},
                           result.get()),
              S_OK);
    EXPECT_EQ(result.type(), VT_I4);
    EXPECT_EQ(result->lVal, 3045) << "High is the first parameter, the last of rgvarg";
}

TEST_F(DispatchInvokeTest, ArgumentsAreCoercedToTheParameterTypes) {
    Variant result;
    ASSERT_EQ(invokeMethod(object.get(), kCombine, {Variant("7"), Variant(2.6f)}, result.get()),
              S_OK);
    EXPECT_EQ(result->lVal, 7003);
    ASSERT_EQ(
        invokeMethod(object.get(), kScale, {Variant(" 0.5 "), Variant(int16_t{4})}, result.get()),
        S_OK);
    EXPECT_EQ(result.type(), VT_R4);
    EXPECT_FLOAT_EQ(result->fltVal, 2.0f);
    ASSERT_EQ(invokeMethod(object.get(), kDescribe, {Variant(int32_t{123}), Variant(int32_t{1})},
                           result.get()),
              S_OK);
    ASSERT_EQ(result.type(), VT_BSTR);
    EXPECT_EQ(utf8FromBstr(result->bstrVal), "123!") << "a string made by the module, freed here";
    ASSERT_EQ(
        invokeMethod(object.get(), kDescribe, {Variant("Grüße"), Variant("false")}, result.get()),
        S_OK);
    EXPECT_EQ(utf8FromBstr(result->bstrVal), "Grüße.");
}

TEST_F(DispatchInvokeTest, ByReferenceArrayIsWrittenInPlace) {
    int16_t samples[5] = {-1, -1, -1, -1, -1};
    ASSERT_EQ(invokeMethod(object.get(), kFill, {byRef(samples), Variant(int32_t{4})}), S_OK);
    const int16_t expected[5] = {0, 2, 4, 6, -1};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(samples[i], expected[i]) << i;
}

TEST_F(DispatchInvokeTest, WrongCallsAreRefusedWithTheirCode) {
    int16_t sample = 0;
    int32_t wide = 0;
    Variant wideRef;
    wideRef->vt = VT_BYREF | VT_I4;
    wideRef->plVal = &wide;
    const uint32_t kUntouched = 77;
    const BadCall cases[] = {
        {kCombine, {Variant(int16_t{1})}, DISP_E_BADPARAMCOUNT, kUntouched},
        {kCombine,
         {Variant(int16_t{1}), Variant(int32_t{2}), Variant(int32_t{3})},
         DISP_E_BADPARAMCOUNT,
         kUntouched},
        {kAboutBox, {Variant(int16_t{1})}, DISP_E_BADPARAMCOUNT, kUntouched},
        {kRing, {}, DISP_E_BADPARAMCOUNT, kUntouched},
        {kCombine, {Variant("abc"), Variant(int32_t{1})}, DISP_E_TYPEMISMATCH, 1},
        {kCombine, {Variant(int16_t{1}), Variant("1x")}, DISP_E_TYPEMISMATCH, 0},
        {kCombine, {Variant(int32_t{40000}), Variant(int32_t{1})}, DISP_E_OVERFLOW, 1},
        {kFill, {Variant(int16_t{0}), Variant(int32_t{1})}, DISP_E_TYPEMISMATCH, 1},
        {kFill, {wideRef, Variant(int32_t{1})}, DISP_E_TYPEMISMATCH, 1},
        {kFill, {byRef(&sample), Variant("one")}, DISP_E_TYPEMISMATCH, 0},
        {kFill, {byRef(nullptr), Variant(int32_t{1})}, DISP_E_TYPEMISMATCH, 1},
        {99, {}, DISP_E_MEMBERNOTFOUND, kUntouched},
    };
    for (const BadCall &c : cases) {
        Variant result(int32_t{-5});
        uint32_t argErr = kUntouched;
        EXPECT_EQ(invokeMethod(object.get(), c.id, c.args, result.get(), &argErr), c.expected)
            << "dispid " << c.id << " with " << c.args.size() << " arguments";
        EXPECT_EQ(argErr, c.argErr) << "dispid " << c.id;
        EXPECT_EQ(result->lVal, -5) << "no result on failure";
    }
}

TEST_F(DispatchInvokeTest, CallShapeIsChecked) {
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_I2;
    DISPID named = 0;
    DISPPARAMS withNames{&arg, &named, 1, 1};
    EXPECT_EQ(
        object->Invoke(kRing, IID_NULL, 0, DISPATCH_METHOD, &withNames, nullptr, nullptr, nullptr),
        DISP_E_NONAMEDARGS);
    DISPPARAMS plain{&arg, nullptr, 1, 0};
    EXPECT_EQ(
        object->Invoke(kRing, IID_IDispatch, 0, DISPATCH_METHOD, &plain, nullptr, nullptr, nullptr),
        DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(
        object->Invoke(kRing, IID_NULL, 0, DISPATCH_PROPERTYGET, &plain, nullptr, nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(
        object->Invoke(kAboutBox, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
        S_OK)
        << "no DISPPARAMS at all for a call without arguments";
}

TEST_F(DispatchInvokeTest, NamesResolveWithoutRegardToCase) {
    const OLECHAR *names[] = {u"describe", u"LOUD"};
    DISPID ids[2]{};
    ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], kDescribe);
    EXPECT_EQ(ids[1], 1);
    const OLECHAR *about[] = {u"AboutBox"};
    ASSERT_EQ(object->GetIDsOfNames(IID_NULL, about, 1, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_ABOUTBOX);
    const OLECHAR *unknown[] = {u"Explode"};
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, ids),
              DISP_E_UNKNOWNNAME);
}
