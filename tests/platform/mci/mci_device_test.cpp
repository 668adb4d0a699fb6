// mciSendStringA reaches whichever device is installed, and the built-in one otherwise.
#include "mci/mci_constants.h"
#include "mci/mci_send_string.h"
#include "recording_mci_device.h"

#include <gtest/gtest.h>

namespace {

TEST(MciDeviceTest, AnInstalledDeviceSeesEveryCommandUntilItIsRemoved) {
    HWND window = reinterpret_cast<HWND>(uintptr_t{42});
    {
        RecordingMciDevice device;
        device.answer("status", 0, "1000");
        char reply[30] = "";
        EXPECT_EQ(mciSendStringA("status 1 length wait", reply, sizeof reply, window), 0u);
        EXPECT_STREQ(reply, "1000");
        ASSERT_EQ(device.commands.size(), 1u);
        EXPECT_EQ(device.commands[0].callback, window);
    }
    EXPECT_EQ(mciSendStringA("status korvane-test-alias length wait", nullptr, 0, nullptr),
              MCIERR_INVALID_DEVICE_NAME)
        << "the built-in device answers again";
}

} // namespace
