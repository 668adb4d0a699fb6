// GetShortPathNameA: the form of a path that may stand inside a media command string.
#pragma once

#include "base/platform_types.h"

// For an existing longPath, writes its short form (see base/short_path_codec.h), never longer
// than kLongestSpelledShortPath, into shortPath and returns its length without the terminator.
// Returns the size needed, terminator included, when shortPath is too small, and 0 (with errno
// set) when longPath is null, does not exist, cannot be reached or is longer than the system
// takes (ENAMETOOLONG).
DWORD GetShortPathNameA(const char *longPath, char *shortPath, DWORD bufferLength);
