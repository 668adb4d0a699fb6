// The media device's command-string entry point.
#pragma once

#include "base/window_message.h"
#include "mci/mci_types.h"

// Returns 0 or a media error number (mci_constants.h); replies go into returnString.
MCIERROR mciSendStringA(const char *command, char *returnString, UINT returnLength, HWND callback);
