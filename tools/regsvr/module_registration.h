// Calling a module's self-registration functions for regsvr.
#pragma once

#include "com/hresult.h"

#include <string>

enum class RegistrationStep { Register, Unregister };

struct RegistrationOutcome {
    bool called = false;   // false: the module could not be loaded or lacks the function
    HRESULT result = S_OK; // the function's result when called
    std::string message;   // one line for the user
};

// path must already be absolute.
RegistrationOutcome runRegistration(const std::string &path, RegistrationStep step);
