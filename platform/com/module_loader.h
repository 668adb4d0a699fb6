// The runtime's errors for a module that does not load.
#pragma once

#include "base/module_loader.h"
#include "com/hresult.h"

#include <string>

// Opens path into module. CO_E_BAD_PATH for a path that is not absolute, CO_E_DLLNOTFOUND when no
// file is there, E_ACCESSDENIED when every user could have changed the file, CO_E_ERRORINDLL when
// the file cannot be loaded; the last error detail then names the path and gives the reason.
HRESULT openModule(LoadedModule &module, const std::string &path);
