// The control's interface as nelowav --list prints it: one line per method and per event.
#pragma once

#include "com/type_info.h"

#include <string>

// "[id(1)] void Open(BSTR WavFilename);" for each member of the interface, each line
// started by prefix; an empty text when the description cannot be read.
std::string listInterface(ITypeInfo *info, const std::string &prefix);
