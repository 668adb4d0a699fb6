// The platform's English texts for media error numbers.
#pragma once

#include "mci/mci_types.h"

// Fills buffer with the text for code, cut to length - 1 characters and terminated, and returns
// nonzero. For a number without a text, or no room at all, returns 0 and leaves buffer untouched.
BOOL mciGetErrorStringA(DWORD code, char *buffer, UINT length);
