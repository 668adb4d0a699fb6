// The media device behind mciSendStringA. The process has one built-in device; a test may put
// a device of its own in front of it, to see every command text and script the answers.
#pragma once

#include "base/window_message.h"
#include "mci/mci_types.h"

class MciDevice {
  public:
    virtual ~MciDevice() = default;
    // Carries out one command string, as mciSendStringA documents.
    virtual MCIERROR sendString(const char *command, char *returnString, UINT returnLength,
                                HWND callback) = 0;
};

// The device that answers when no other is installed.
MciDevice &BuiltinMciDevice();

// Puts device (not owned; nullptr for the built-in one) in front of mciSendStringA and returns
// the one it replaces. Commands already running finish on the device they started on.
MciDevice *SetMciDevice(MciDevice *device);
