// Reads a type library's text (grammar in com/type_info.h) into its model.
#pragma once

#include "type_library_model.h"

#include <string>
#include <string_view>

// TYPE_E_INVDATAREAD with "line N: reason" in error when the text is malformed.
HRESULT parseTypeLibrary(std::string_view text, TypeLibraryModel &out, std::string &error);
