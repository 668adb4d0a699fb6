// Type library text: what a good library describes, and the refusal of malformed ones.
#include "com/type_info.h"
#include "test_module_ids.h"
#include "test_support.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {
std::string moduleLibraryText() {
    void *module = ::dlopen(kTestModulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto text = reinterpret_cast<KorvaneTypeLibraryFunc>(::dlsym(module, kTypeLibrarySymbol));
    std::string copy = text();
    ::dlclose(module);
    return copy;
}

ComPtr<ITypeLib> parse(std::string_view text, HRESULT expected = S_OK,
                       std::string *error = nullptr) {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadTypeLibFromText(text, library.put(), error), expected) << text;
    return library;
}

const char *kMinimal = R"([uuid(11111111-2222-3333-4444-555555555555), version(2.3)]
library Tiny { [uuid(11111111-2222-3333-4444-555555555556)] dispinterface _DTiny { methods: [id(7)] void Go(); }; };)";
} // namespace

TEST(TypeLibrary, DescribesTheLibraryAndItsTypes) {
    const ComPtr<ITypeLib> library = parse(moduleLibraryText());
    ASSERT_TRUE(library);
    const TLIBATTR *attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, kTestLibraryId);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0u);
    BStr name;
    BStr doc;
    ASSERT_EQ(library->GetDocumentation(-1, name.put(), doc.put()), S_OK);
    EXPECT_EQ(name.utf8(), "ComTestLib");
    EXPECT_EQ(doc.utf8(), "Korvane COM test library");
    ASSERT_EQ(library->GetTypeInfoCount(), 3u);
    TYPEKIND kinds[3]{};
    for (uint32_t i = 0; i < 3; ++i)
        library->GetTypeInfoType(i, &kinds[i]);
    EXPECT_EQ(kinds[0], TKIND_DISPATCH);
    EXPECT_EQ(kinds[1], TKIND_DISPATCH);
    EXPECT_EQ(kinds[2], TKIND_COCLASS);
    ComPtr<ITypeInfo> missing;
    EXPECT_EQ(library->GetTypeInfoOfGuid(GUID_NULL, missing.put()), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(library->GetTypeInfo(3, missing.put()), TYPE_E_ELEMENTNOTFOUND);
}

TEST(TypeLibrary, DescribesMethodsAndParameters) {
    const ComPtr<ITypeLib> library = parse(moduleLibraryText());
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(library->GetTypeInfoOfGuid(kTestDispatchId, info.put()), S_OK);
    const TYPEATTR *attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attr->cFuncs, 6);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FHIDDEN);
    const struct {
        MEMBERID id;
        const char *name;
        VARTYPE ret;
        std::vector<std::pair<std::string, VARTYPE>> params;
    } expected[] = {
        {1, "Combine", VT_I4, {{"High", VT_I2}, {"Low", VT_I4}}},
        {2, "Scale", VT_R4, {{"Value", VT_R4}, {"Factor", VT_R4}}},
        {3, "Describe", VT_BSTR, {{"Prefix", VT_BSTR}, {"Loud", VT_BOOL}}},
        {4, "Fill", VT_VOID, {{"pArray", VT_BYREF | VT_I2}, {"ArrayLength", VT_I4}}},
        {5, "Ring", VT_VOID, {{"NotifyCode", VT_I2}}},
        {-552, "AboutBox", VT_VOID, {}},
    };
    for (uint32_t i = 0; i < 6; ++i) {
        const FUNCDESC *func = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &func), S_OK);
        EXPECT_EQ(func->memid, expected[i].id);
        EXPECT_EQ(func->name, expected[i].name);
        EXPECT_EQ(func->vtReturn, expected[i].ret) << func->name;
        ASSERT_EQ(func->params.size(), expected[i].params.size()) << func->name;
        for (size_t p = 0; p < func->params.size(); ++p) {
            EXPECT_EQ(func->params[p].name, expected[i].params[p].first);
            EXPECT_EQ(func->params[p].vt, expected[i].params[p].second);
        }
    }
    const FUNCDESC *past = nullptr;
    EXPECT_EQ(info->GetFuncDesc(6, &past), TYPE_E_ELEMENTNOTFOUND);
    BStr doc;
    ASSERT_EQ(info->GetDocumentation(3, nullptr, doc.put()), S_OK);
    EXPECT_EQ(doc.utf8(), "Says something");
}

TEST(TypeLibrary, LooksUpNamesWithoutRegardToCase) {
    const ComPtr<ITypeLib> library = parse(moduleLibraryText());
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(library->GetTypeInfoOfGuid(kTestDispatchId, info.put()), S_OK);
    const OLECHAR *names[] = {u"fILL", u"arraylength", u"PARRAY"};
    MEMBERID ids[3]{};
    ASSERT_EQ(info->GetIDsOfNames(names, 3, ids), S_OK);
    EXPECT_EQ(ids[0], 4);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], 0);
    const OLECHAR *unknown[] = {u"Combine", u"Nope"};
    EXPECT_EQ(info->GetIDsOfNames(unknown, 2, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    const OLECHAR *prefix[] = {u"Comb"};
    EXPECT_EQ(info->GetIDsOfNames(prefix, 1, ids), DISP_E_UNKNOWNNAME);
    BSTR found[4] = {};
    uint32_t count = 0;
    ASSERT_EQ(info->GetNames(1, found, 4, &count), S_OK);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(utf8FromBstr(found[0]), "Combine");
    EXPECT_EQ(utf8FromBstr(found[2]), "Low");
    for (uint32_t i = 0; i < count; ++i)
        SysFreeString(found[i]);
}

TEST(TypeLibrary, CoclassListsItsDefaultAndSourceInterfaces) {
    const ComPtr<ITypeLib> library = parse(moduleLibraryText());
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(kTestClassId, coclass.put()), S_OK);
    const TYPEATTR *attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_EQ(attr->cImplTypes, 2);
    EXPECT_EQ(attr->wTypeFlags, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL);
    const std::pair<GUID, int32_t> expected[] = {
        {kTestDispatchId, IMPLTYPEFLAG_FDEFAULT},
        {kTestEventsId, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
    };
    for (uint32_t i = 0; i < 2; ++i) {
        HREFTYPE ref = 0;
        int32_t flags = 0;
        ComPtr<ITypeInfo> referenced;
        const TYPEATTR *refAttr = nullptr;
        ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &ref), S_OK);
        ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
        ASSERT_EQ(coclass->GetRefTypeInfo(ref, referenced.put()), S_OK);
        referenced->GetTypeAttr(&refAttr);
        EXPECT_EQ(refAttr->guid, expected[i].first);
        EXPECT_EQ(flags, expected[i].second);
    }
    ComPtr<ITypeLib> container;
    uint32_t index = 99;
    ASSERT_EQ(coclass->GetContainingTypeLib(container.put(), &index), S_OK);
    EXPECT_EQ(container.get(), library.get());
    EXPECT_EQ(index, 2u);
}

TEST(TypeLibrary, TypeInfoKeepsItsLibraryAlive) {
    ComPtr<ITypeInfo> info;
    {
        const ComPtr<ITypeLib> library = parse(kMinimal);
        ASSERT_EQ(library->GetTypeInfo(0, info.put()), S_OK);
    }
    const FUNCDESC *func = nullptr;
    ASSERT_EQ(info->GetFuncDesc(0, &func), S_OK);
    EXPECT_EQ(func->name, "Go");
    EXPECT_EQ(func->memid, 7);
}

TEST(TypeLibrary, RefusesMalformedText) {
    const std::string lib =
        "[uuid(11111111-2222-3333-4444-555555555555), version(1.0)] library L {";
    const std::string di =
        "[uuid(11111111-2222-3333-4444-555555555556)] dispinterface D { methods: ";
    const struct {
        std::string text;
        const char *reason;
    } cases[] = {
        {"", "line 1: expected '['"},
        {"library L {};", "line 1: expected '['"},
        {"[version(1.0)] library L {};", "missing uuid attribute"},
        {"[uuid(11111111-2222-3333-4444-555555555555)] library L {};", "missing version attribute"},
        {"[uuid(1111-2222), version(1.0)] library L {};", "malformed uuid"},
        {"[uuid({11111111-2222-3333-4444-555555555555}), version(1.0)] library L {};",
         "malformed uuid"},
        {"[uuid(11111111-2222-3333-4444-555555555555), version(1)] library L {};", "expected '.'"},
        {"[uuid(11111111-2222-3333-4444-555555555555), version(1.0), version(1.0)] library L {};",
         "given twice"},
        {"[uuid(11111111-2222-3333-4444-555555555555), version(70000.0)] library L {};",
         "version out of range"},
        {"[uuid(11111111-2222-3333-4444-555555555555), version(1.0), shiny] library L {};",
         "'shiny' not allowed"},
        {lib, "expected '['"},
        {lib + "};\njunk", "line 2: unexpected text after the library"},
        {lib + di + "[id(1)] void A(); [id(1)] void B(); }; };", "id(1) used twice"},
        {lib + di + "[id(1)] void A(); [id(2)] void a(); }; };", "method 'a' defined twice"},
        {lib + di + "[id(1)] void A(short X, long x); }; };", "parameter 'x' defined twice"},
        {lib + di + "[id(1)] void A(void X); }; };", "a parameter cannot be void"},
        {lib + di + "[id(1)] void* A(); }; };", "void cannot be passed by reference"},
        {lib + di + "[id(1)] int A(); }; };", "unknown type 'int'"},
        {lib + di + "[id(1)] void A(IDispatch X); }; };", "expected '*'"},
        {lib + di + "[id(99999999999)] void A(); }; };", "number out of range"},
        {lib + di + "[id(4294967295)] void A(); }; };", "id out of range"},
        {lib + di + "[helpstring(\"x\")] void A(); }; };", "missing id attribute"},
        {lib + di + "[id(1), helpstring(\"open)] void A(); }; };", "unterminated string"},
        {lib + di + "[id(1), helpstring(\"open\n\")] void A(); }; };",
         "line 1: line break inside a string"},
        {lib + di + "[id(1)] void A(short X; }; };", "expected ')'"},
        {lib + di + "[id(1)] void A() }; };", "expected ';'"},
        {lib + di + "}; " + di + "}; };", "type 'D' defined twice"},
        {lib + "[uuid(11111111-2222-3333-4444-555555555555)] dispinterface E {}; };", "used twice"},
        {lib + "[uuid(11111111-2222-3333-4444-555555555557)] coclass C { dispinterface Nope; }; };",
         "unknown dispinterface 'Nope'"},
        {lib + di +
             "}; [uuid(11111111-2222-3333-4444-555555555557)] coclass C { [default] dispinterface "
             "D; "
             "[default] dispinterface D; }; };",
         "listed twice"},
        {lib + di +
             "}; [uuid(11111111-2222-3333-4444-555555555557)] coclass C { [sometimes] "
             "dispinterface D; }; };",
         "not allowed here"},
        {lib + "/* never closed", "unterminated comment"},
        {lib + "[uuid(11111111-2222-3333-4444-555555555556)] interface I {}; };",
         "expected 'coclass'"},
    };
    for (const auto &c : cases) {
        std::string error;
        const ComPtr<ITypeLib> library = parse(c.text, TYPE_E_INVDATAREAD, &error);
        EXPECT_FALSE(library);
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << "\n  gave: " << error;
    }
}

TEST(TypeLibrary, EveryTruncationIsRefusedCleanly) {
    const std::string text = moduleLibraryText();
    const size_t end = text.rfind('}');
    for (size_t length = 0; length < end; ++length) {
        ComPtr<ITypeLib> library;
        const HRESULT hr =
            LoadTypeLibFromText(std::string_view(text).substr(0, length), library.put());
        EXPECT_EQ(hr, TYPE_E_INVDATAREAD) << "length " << length;
    }
}
