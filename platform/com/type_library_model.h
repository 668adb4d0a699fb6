// What a parsed type library holds; shared by its parser and its ITypeLib/ITypeInfo objects.
#pragma once

#include "com/type_info.h"

#include <string>
#include <vector>

struct ImplementedType {
    uint32_t typeIndex; // into TypeLibraryModel::types
    int32_t flags;      // IMPLTYPEFLAG_*
};

struct TypeModel {
    TYPEATTR attr;
    std::string name;
    std::string docString;
    std::vector<FUNCDESC> funcs;              // dispinterfaces
    std::vector<ImplementedType> implemented; // coclasses
};

struct TypeLibraryModel {
    TLIBATTR attr;
    std::string name;
    std::string docString;
    std::vector<TypeModel> types;
};
