// Reaching the control module as a host does: its exports, its registration, its objects.
#pragma once

#include "com/dispatch.h"
#include "mci_code.h"
#include "variant_arguments.h"

#include <string>
#include <vector>

// The module's DllRegisterServer or DllUnregisterServer, called directly.
HRESULT callModuleExport(const char *name);

// Registers the module into the current registry file (a fresh one); fails the test otherwise.
void registerModuleFreshly();

ComPtr<IDispatch> createControl();

// Invokes the method named name with arguments in their natural order.
HRESULT callByName(IDispatch *control, const char *name, std::vector<VARIANT> args = {},
                   VARIANT *result = nullptr, uint32_t *argErr = nullptr);

MciCode errorCode(IDispatch *control);
std::string errorMessage(IDispatch *control);

// The words of a command text, as the device splits them.
std::vector<std::string> wordsOf(const std::string &text);

// A string argument; the caller owns the BSTR inside.
VARIANT variantText(const char *text);
