// The type-library text parser, and a walk of every ITypeLib and ITypeInfo call over what it
// accepted: each type, method, name, parameter and listed interface must be reachable and
// consistent in every direction.
#include "com/automation_string.h"
#include "com/type_info.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void walkMethod(ITypeInfo *info, const FUNCDESC &func) {
    for (const PARAMDESC &param : func.params)
        check(!typeLibraryTypeText(param.vt).empty());
    const uint32_t wanted = static_cast<uint32_t>(func.params.size()) + 1;
    std::vector<BSTR> names(wanted + 1, nullptr);
    uint32_t count = 0;
    check(info->GetNames(func.memid, names.data(), wanted + 1, &count) == S_OK);
    check(count == wanted && utf8FromBstr(names[0]) == func.name);
    std::vector<MEMBERID> ids(count);
    check(info->GetIDsOfNames(names.data(), count, ids.data()) == S_OK);
    check(ids[0] == func.memid);
    for (uint32_t i = 1; i < count; ++i)
        check(ids[i] == static_cast<MEMBERID>(i - 1));
    for (BSTR name : names)
        SysFreeString(name);
    if (func.memid == MEMBERID_NIL)
        return;
    BStr name;
    BStr doc;
    check(info->GetDocumentation(func.memid, name.put(), doc.put()) == S_OK);
    // Strings reach hosts as UTF-16, so bytes that are not UTF-8 come back replaced.
    check(name.utf8() == func.name && doc.utf8() == utf8FromBstr(BStr(func.docString).get()));
}

void walkType(ITypeLib *library, uint32_t index) {
    ComPtr<ITypeInfo> info;
    check(library->GetTypeInfo(index, info.put()) == S_OK);
    TYPEKIND kind{};
    check(library->GetTypeInfoType(index, &kind) == S_OK);
    const TYPEATTR *attr = nullptr;
    check(info->GetTypeAttr(&attr) == S_OK && attr->typekind == kind);
    check(info->GetDocumentation(MEMBERID_NIL, nullptr, nullptr) == S_OK);
    for (uint32_t f = 0; f < attr->cFuncs; ++f) {
        const FUNCDESC *func = nullptr;
        check(info->GetFuncDesc(f, &func) == S_OK);
        walkMethod(info.get(), *func);
    }
    const FUNCDESC *past = nullptr;
    check(info->GetFuncDesc(attr->cFuncs, &past) == TYPE_E_ELEMENTNOTFOUND);
    for (uint32_t i = 0; i < attr->cImplTypes; ++i) {
        HREFTYPE ref = 0;
        int32_t flags = 0;
        check(info->GetRefTypeOfImplType(i, &ref) == S_OK);
        check(info->GetImplTypeFlags(i, &flags) == S_OK);
        ComPtr<ITypeInfo> listed;
        check(info->GetRefTypeInfo(ref, listed.put()) == S_OK);
        const TYPEATTR *listedAttr = nullptr;
        check(listed->GetTypeAttr(&listedAttr) == S_OK && listedAttr->typekind == TKIND_DISPATCH);
    }
    check(info->GetRefTypeOfImplType(attr->cImplTypes, nullptr) == E_POINTER);
    ComPtr<ITypeInfo> byGuid;
    check(library->GetTypeInfoOfGuid(attr->guid, byGuid.put()) == S_OK);
    ComPtr<ITypeLib> container;
    uint32_t containerIndex = 0;
    check(byGuid->GetContainingTypeLib(container.put(), &containerIndex) == S_OK);
    check(container.get() == library && containerIndex == index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    ComPtr<ITypeLib> library;
    std::string error;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (FAILED(LoadTypeLibFromText(text, library.put(), &error))) {
        check(!library && error.starts_with("line "));
        return 0;
    }
    const TLIBATTR *attr = nullptr;
    check(library->GetLibAttr(&attr) == S_OK);
    check(library->GetDocumentation(-1, nullptr, nullptr) == S_OK);
    const uint32_t count = library->GetTypeInfoCount();
    for (uint32_t index = 0; index < count; ++index)
        walkType(library.get(), index);
    ComPtr<ITypeInfo> past;
    check(library->GetTypeInfo(count, past.put()) == TYPE_E_ELEMENTNOTFOUND);
    return 0;
}
