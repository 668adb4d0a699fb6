// VariantChangeType's coercions, and the ownership rules of clearing and copying.
#include "com/dispatch.h"
#include "com/variant.h"
#include "test_owned_object.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {
// "TYPE:value", so a table row reads as what it expects.
std::string describe(const VARIANT &v) {
    switch (v.vt) {
    case VT_EMPTY:
        return "EMPTY";
    case VT_I2:
        return "I2:" + std::to_string(v.iVal);
    case VT_I4:
        return "I4:" + std::to_string(v.lVal);
    case VT_R4:
        return "R4:" + std::to_string(v.fltVal);
    case VT_R8:
        return "R8:" + std::to_string(v.dblVal);
    case VT_BOOL:
        return "BOOL:" + std::to_string(v.boolVal);
    case VT_BSTR:
        return "BSTR:" + utf8FromBstr(v.bstrVal);
    default:
        return "vt " + std::to_string(v.vt);
    }
}

Variant boolean(VARIANT_BOOL value) {
    Variant v;
    v->vt = VT_BOOL;
    v->boolVal = value;
    return v;
}

struct Coercion {
    Variant from;
    VARTYPE to;
    HRESULT hr;
    std::string expected;
};

// A counted object to watch references move.
class CountedObject final : public TestOwnedObject<IDispatch> {
  public:
    HRESULT GetTypeInfoCount(uint32_t *) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(uint32_t, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, const OLECHAR *const *, uint32_t, LCID, DISPID *) override {
        return E_NOTIMPL;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, uint16_t, DISPPARAMS *, VARIANT *, EXCEPINFO *,
                   uint32_t *) override {
        return E_NOTIMPL;
    }
};
} // namespace

TEST(VariantChangeType, CoercesAmongTheControlsTypes) {
    const Coercion table[] = {
        // integers widen, narrow and check their range
        {Variant(int16_t{-7}), VT_I4, S_OK, "I4:-7"},
        {Variant(int32_t{32767}), VT_I2, S_OK, "I2:32767"},
        {Variant(int32_t{-32768}), VT_I2, S_OK, "I2:-32768"},
        {Variant(int32_t{32768}), VT_I2, DISP_E_OVERFLOW, ""},
        {Variant(int32_t{-40000}), VT_I2, DISP_E_OVERFLOW, ""},
        // floats round half to even and check their range
        {Variant(2.5f), VT_I2, S_OK, "I2:2"},
        {Variant(3.5f), VT_I4, S_OK, "I4:4"},
        {Variant(-2.5f), VT_I4, S_OK, "I4:-2"},
        {Variant(0.4999f), VT_I4, S_OK, "I4:0"},
        {Variant(3e9f), VT_I4, DISP_E_OVERFLOW, ""},
        {Variant(32767.5f), VT_I2, DISP_E_OVERFLOW, ""},
        {Variant(std::nanf("")), VT_I4, DISP_E_OVERFLOW, ""},
        {Variant(int32_t{16777217}), VT_R4, S_OK, "R4:16777216.000000"},
        // Booleans are -1 and 0; any non-zero number is true
        {Variant(true), VT_I2, S_OK, "I2:-1"},
        {Variant(false), VT_I4, S_OK, "I4:0"},
        {Variant(true), VT_R4, S_OK, "R4:-1.000000"},
        {Variant(int32_t{5}), VT_BOOL, S_OK, "BOOL:-1"},
        {Variant(0.0f), VT_BOOL, S_OK, "BOOL:0"},
        {Variant(0.25f), VT_BOOL, S_OK, "BOOL:-1"},
        // numbers to text
        {Variant(int16_t{-12}), VT_BSTR, S_OK, "BSTR:-12"},
        {Variant(int32_t{2147483647}), VT_BSTR, S_OK, "BSTR:2147483647"},
        {Variant(0.5f), VT_BSTR, S_OK, "BSTR:0.5"},
        {Variant(1e30f), VT_BSTR, S_OK, "BSTR:1E+30"},
        {Variant(true), VT_BSTR, S_OK, "BSTR:-1"},
        {Variant(false), VT_BSTR, S_OK, "BSTR:0"},
        // text to numbers, with blanks, signs and C notation
        {Variant("42"), VT_I2, S_OK, "I2:42"},
        {Variant("  -17\t"), VT_I4, S_OK, "I4:-17"},
        {Variant("+8"), VT_I4, S_OK, "I4:8"},
        {Variant("2.5"), VT_I4, S_OK, "I4:2"},
        {Variant("1e3"), VT_I2, S_OK, "I2:1000"},
        {Variant("0.5"), VT_R4, S_OK, "R4:0.500000"},
        {Variant("2147483647"), VT_I4, S_OK, "I4:2147483647"},
        {Variant("2147483648"), VT_I4, DISP_E_OVERFLOW, ""},
        {Variant("32768"), VT_I2, DISP_E_OVERFLOW, ""},
        {Variant("1e39"), VT_R4, DISP_E_OVERFLOW, ""},
        {Variant("1e999"), VT_R4, DISP_E_OVERFLOW, ""},
        {Variant("abc"), VT_I4, DISP_E_TYPEMISMATCH, ""},
        {Variant(""), VT_I2, DISP_E_TYPEMISMATCH, ""},
        {Variant("   "), VT_R4, DISP_E_TYPEMISMATCH, ""},
        {Variant("12abc"), VT_I4, DISP_E_TYPEMISMATCH, ""},
        {Variant("1 2"), VT_I4, DISP_E_TYPEMISMATCH, ""},
        {Variant("++1"), VT_I4, DISP_E_TYPEMISMATCH, ""},
        {Variant("0x10"), VT_I4, DISP_E_TYPEMISMATCH, ""},
        // text to Boolean: the words in any case, or a number
        {Variant("True"), VT_BOOL, S_OK, "BOOL:-1"},
        {Variant(" FALSE "), VT_BOOL, S_OK, "BOOL:0"},
        {Variant("0"), VT_BOOL, S_OK, "BOOL:0"},
        {Variant("-3"), VT_BOOL, S_OK, "BOOL:-1"},
        {Variant("yes"), VT_BOOL, DISP_E_TYPEMISMATCH, ""},
        // empty is zero or nothing; text stays text
        {Variant(), VT_I4, S_OK, "I4:0"},
        {Variant(), VT_BSTR, S_OK, "BSTR:"},
        {Variant("same"), VT_BSTR, S_OK, "BSTR:same"},
        {Variant(int16_t{3}), VT_EMPTY, S_OK, "EMPTY"},
        // a non-canonical Boolean still reads as true
        {boolean(1), VT_BSTR, S_OK, "BSTR:-1"},
    };
    for (const Coercion &row : table) {
        Variant result;
        const HRESULT hr = VariantChangeType(result.get(), row.from.get(), 0, row.to);
        EXPECT_EQ(hr, row.hr) << describe(*row.from.get()) << " to vt " << row.to;
        if (SUCCEEDED(row.hr))
            EXPECT_EQ(describe(*result.get()), row.expected) << describe(*row.from.get());
        else
            EXPECT_EQ(result.type(), VT_EMPTY) << "failure must leave the destination alone";
    }
}

TEST(VariantChangeType, AlphaBoolGivesWords) {
    Variant result;
    ASSERT_EQ(VariantChangeType(result.get(), Variant(true).get(), VARIANT_ALPHABOOL, VT_BSTR),
              S_OK);
    EXPECT_EQ(describe(*result.get()), "BSTR:True");
}

TEST(VariantChangeType, FailureLeavesTheDestinationUntouched) {
    Variant dest(int32_t{99});
    EXPECT_EQ(VariantChangeType(dest.get(), Variant("nope").get(), 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(describe(*dest.get()), "I4:99");
    EXPECT_EQ(dest.changeType(VT_I2), S_OK);
    EXPECT_EQ(describe(*dest.get()), "I2:99");
    Variant words = Variant("7");
    EXPECT_EQ(words.changeType(VT_I4), S_OK) << "in place, the old string freed";
    EXPECT_EQ(describe(*words.get()), "I4:7");
}

TEST(VariantChangeType, FollowsByReferenceSources) {
    int16_t value = 1234;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_I2;
    ref.piVal = &value;
    Variant result;
    ASSERT_EQ(VariantChangeType(result.get(), &ref, 0, VT_BSTR), S_OK);
    EXPECT_EQ(describe(*result.get()), "BSTR:1234");
    ref.piVal = nullptr;
    EXPECT_EQ(VariantChangeType(result.get(), &ref, 0, VT_I4), E_INVALIDARG);
}

TEST(VariantChangeType, RefusesUnknownTargetsAndSources) {
    Variant result;
    EXPECT_EQ(VariantChangeType(result.get(), Variant(int16_t{1}).get(), 0, VT_BYREF | VT_I2),
              DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(result.get(), Variant(int16_t{1}).get(), 0, 77), DISP_E_BADVARTYPE);
    VARIANT odd;
    VariantInit(&odd);
    odd.vt = 77;
    EXPECT_EQ(VariantChangeType(result.get(), &odd, 0, VT_I4), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(nullptr, &odd, 0, VT_I4), E_INVALIDARG);
}

TEST(VariantChangeType, InterfacesConvertThroughQueryInterface) {
    CountedObject object;
    {
        Variant dispatch;
        dispatch->vt = VT_DISPATCH;
        dispatch->pdispVal = &object;
        object.AddRef();
        Variant unknown;
        ASSERT_EQ(VariantChangeType(unknown.get(), dispatch.get(), 0, VT_UNKNOWN), S_OK);
        EXPECT_EQ(unknown->punkVal, static_cast<IUnknown *>(&object));
        EXPECT_EQ(object.references(), 3u);
        Variant number;
        EXPECT_EQ(VariantChangeType(number.get(), dispatch.get(), 0, VT_I4), DISP_E_TYPEMISMATCH);
    }
    EXPECT_EQ(object.references(), 1u) << "clearing released every reference taken";
}

TEST(Variant, CopyIsDeepAndClearFrees) {
    Variant original("text");
    ASSERT_EQ(original.type(), VT_BSTR) << "a literal is a string, not a Boolean";
    Variant copy = original;
    EXPECT_NE(copy->bstrVal, original->bstrVal);
    EXPECT_EQ(utf8FromBstr(copy->bstrVal), "text");
    Variant moved = std::move(copy);
    EXPECT_EQ(copy.type(), VT_EMPTY);
    EXPECT_EQ(VariantClear(moved.get()), S_OK);
    EXPECT_EQ(moved.type(), VT_EMPTY);
}
