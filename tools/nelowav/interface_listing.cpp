// Listing an interface's members in the notation of the type library text.
#include "interface_listing.h"

namespace {

std::string signature(const FUNCDESC &function) {
    std::string line = "[id(" + std::to_string(function.memid) + ")] " +
                       typeLibraryTypeText(function.vtReturn) + " " + function.name + "(";
    for (size_t i = 0; i < function.params.size(); ++i) {
        if (i > 0)
            line += ", ";
        line += typeLibraryTypeText(function.params[i].vt) + " " + function.params[i].name;
    }
    return line + ");";
}

} // namespace

std::string listInterface(ITypeInfo *info, const std::string &prefix) {
    const TYPEATTR *attributes = nullptr;
    if (info == nullptr || FAILED(info->GetTypeAttr(&attributes)))
        return {};
    std::string listing;
    for (uint32_t i = 0; i < attributes->cFuncs; ++i) {
        const FUNCDESC *function = nullptr;
        if (SUCCEEDED(info->GetFuncDesc(i, &function)))
            listing += prefix + signature(*function) + "\n";
    }
    return listing;
}
