// The built-in device: no waveaudio driver is part of this library yet, so every command is
// refused with the answer for a command the device does not know, and no caller mistakes it
// for success.
#include "mci/mci_constants.h"
#include "mci/mci_device.h"

namespace {

class RefusingDevice final : public MciDevice {
  public:
    MCIERROR sendString(const char *, char *, UINT, HWND) override {
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
};

} // namespace

MciDevice &BuiltinMciDevice() {
    static RefusingDevice device;
    return device;
}
