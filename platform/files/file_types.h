// The platform's types and flags for file handles and file names, as the file services take
// them.
#pragma once

#include "base/platform_types.h"

struct HANDLE__;
using HANDLE = HANDLE__ *;

// The failure value of CreateFileA; not null, since null is a handle value of its own.
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;

inline constexpr DWORD CREATE_NEW = 1;

inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
