// The media device's command-string entry point.
#pragma once

#include "mci/mci_types.h"
#include "mci/window_message.h"

// Returns 0 or a media error number (mci_constants.h); replies go into returnString.
MCIERROR mciSendStringA(const char *command, char *returnString, UINT returnLength, HWND callback);
