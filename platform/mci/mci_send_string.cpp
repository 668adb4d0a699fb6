// No waveaudio device is built into this library: every command is refused with the device's
// answer for a command it does not know, so no caller mistakes it for success.
#include "mci/mci_send_string.h"

#include "mci/mci_constants.h"

MCIERROR mciSendStringA(const char *, char *, UINT, HWND) {
    return MCIERR_UNRECOGNIZED_COMMAND;
}
