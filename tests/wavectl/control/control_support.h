// Reaching the control module as a host does: its exports, its registration, its objects.
#pragma once

#include "com/dispatch.h"
#include "mci_code.h"
#include "temporary_folder.h"
#include "variant_arguments.h"

#include <gtest/gtest.h>
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

// What every test of the control starts from: the module registered afresh, a control made as
// a host makes it, and a folder of the test's own for its files.
class ControlTest : public testing::Test {
    // First, so that it outlives the control and whatever files the control still holds.
    TemporaryFolder m_folder;

  public:
    // Calls the method; the call itself must go through. Answers the code it left.
    MciCode call(const char *method, std::vector<VARIANT> args = {});
    // Calls the method with a file name as its one argument.
    MciCode callWithPath(const char *method, const std::string &path);
    int32_t length();

    const std::filesystem::path &folder() const { return m_folder.path(); }
    std::string file(const std::string &name) const { return m_folder.file(name); }

    ComPtr<IDispatch> control = createControl();

  protected:
    static void SetUpTestSuite() { registerModuleFreshly(); }
};
