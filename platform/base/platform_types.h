// The platform's basic integer types, shared by window messages, the media device and the
// control framework.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using DWORD = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
