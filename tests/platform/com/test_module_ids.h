// Identifiers of the test module, shared by the module and the tests that drive it.
#pragma once

#include "com/guid.h"

inline constexpr GUID kTestLibraryId = makeGuid("{6C1E4A10-5B2D-4E8F-9A01-2B3C4D5E6F70}");
inline constexpr GUID kTestDispatchId = makeGuid("{6C1E4A11-5B2D-4E8F-9A01-2B3C4D5E6F70}");
inline constexpr GUID kTestEventsId = makeGuid("{6C1E4A12-5B2D-4E8F-9A01-2B3C4D5E6F70}");
inline constexpr GUID kTestClassId = makeGuid("{6C1E4A13-5B2D-4E8F-9A01-2B3C4D5E6F70}");
inline constexpr const char *kTestProgId = "KorvaneTest.Counter";

// Dispatch identifiers of the test class.
enum TestDispid : int32_t {
    kCombine = 1,  // long Combine(short High, long Low): High * 1000 + Low
    kScale = 2,    // float Scale(float Value, float Factor)
    kDescribe = 3, // BSTR Describe(BSTR Prefix, VARIANT_BOOL Loud): Prefix + "!" or "."
    kFill = 4,     // void Fill(short* pArray, long ArrayLength): pArray[i] = 2 * i
    kRing = 5,     // void Ring(short NotifyCode): fires Rung(NotifyCode)
    kAboutBox = -552,
};
inline constexpr int32_t kRungDispid = 1;
