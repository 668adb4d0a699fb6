// mciSendStringA forwards to the installed device, or to the built-in one.
#include "mci/mci_send_string.h"

#include "mci/mci_device.h"

#include <atomic>

namespace {

std::atomic<MciDevice *> installedDevice{nullptr};

} // namespace

MciDevice *SetMciDevice(MciDevice *device) {
    return installedDevice.exchange(device);
}

MCIERROR mciSendStringA(const char *command, char *returnString, UINT returnLength, HWND callback) {
    MciDevice *device = installedDevice.load();
    return (device != nullptr ? *device : BuiltinMciDevice())
        .sendString(command, returnString, returnLength, callback);
}
