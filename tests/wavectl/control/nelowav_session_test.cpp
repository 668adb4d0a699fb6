// The command texts that the control's session methods send, seen through a recording device.
#include "activex/ole_interfaces.h"
#include "control_support.h"
#include "recording_mci_device.h"

#include <gtest/gtest.h>

namespace {

// Lives as long as the process: the arguments are only read.
const VARIANT kMissingFile = variantText("/nonexistent.wav");

class NeloWavSessionTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { registerModuleFreshly(); }

    void SetUp() override {
        ComPtr<IOleWindow> window;
        ASSERT_EQ(control.queryInterface(IID_IOleWindow, window), S_OK);
        ASSERT_EQ(window->GetWindow(&hwnd), S_OK);
    }

    // Opens, and learns the alias that the open took from the close that follows.
    std::string openAndLearnAlias() {
        EXPECT_EQ(callByName(control.get(), "Open", {kMissingFile}), S_OK);
        EXPECT_EQ(callByName(control.get(), "Close"), S_OK);
        const std::string close = device.commands.back().text;
        device.commands.clear();
        return close.substr(6, close.size() - 6 - 5);
    }

    RecordingMciDevice device;
    ComPtr<IDispatch> control = createControl();
    HWND hwnd = nullptr;
};

TEST_F(NeloWavSessionTest, EachOpenTakesTheNextAlias) {
    const std::string alias = openAndLearnAlias();
    ASSERT_EQ(callByName(control.get(), "Open", {kMissingFile}), S_OK);
    ASSERT_EQ(callByName(control.get(), "Close"), S_OK);
    EXPECT_EQ(device.texts().front(), "close " + alias + " wait");
    EXPECT_EQ(device.texts().back(), "close " + std::to_string(std::stoi(alias) + 1) + " wait");
}

TEST_F(NeloWavSessionTest, MethodsSendTheirCommandTextsToTheControlsWindow) {
    const std::string a = openAndLearnAlias();
    struct Call {
        const char *method;
        std::vector<VARIANT> args;
        std::string text;
    };
    const std::vector<Call> calls = {
        {"Play",
         {variantI4(0), variantI4(-1), variantBool(false)},
         "play " + a + " from 0  notify "},
        {"Play", {variantI4(-1), variantI4(-1), variantI4(-1)}, "play " + a + "   notify wait"},
        {"Play",
         {variantI4(5), variantI4(9), variantBool(true)},
         "play " + a + " from 5 to 9 notify wait"},
        {"Record", {variantI4(-1), variantI4(-1), variantI4(-1)}, "record " + a + "   notify "},
        {"Record",
         {variantI4(0), variantI4(1), variantBool(true)},
         "record " + a + " from 0 to 1 notify wait"},
        {"Delete", {variantI4(100), variantI4(-1)}, "delete " + a + " from 100  wait"},
        {"Delete", {variantI4(-1), variantI4(7)}, "delete " + a + " from -1 to 7 wait"},
        {"Seek", {variantI4(500)}, "seek " + a + " to 500 wait"},
        {"Stop", {}, "stop " + a + " wait"},
    };
    for (const Call &call : calls) {
        device.commands.clear();
        ASSERT_EQ(callByName(control.get(), call.method, call.args), S_OK) << call.method;
        ASSERT_EQ(device.commands.size(), 1u) << call.method;
        EXPECT_EQ(device.commands[0].text, call.text);
        EXPECT_EQ(device.commands[0].callback, hwnd) << call.text;
    }
}

TEST_F(NeloWavSessionTest, SeekToMinusOneSeeksToTheLength) {
    const std::string a = openAndLearnAlias();
    device.answer("status " + a + " length wait", 0, "1234");
    ASSERT_EQ(callByName(control.get(), "Seek", {variantI4(-1)}), S_OK);
    EXPECT_EQ(device.texts(), (std::vector<std::string>{"status " + a + " length wait",
                                                        "seek " + a + " to 1234 wait"}));
}

TEST_F(NeloWavSessionTest, PauseResumesUnlessPlayingOrRecording) {
    const std::string a = openAndLearnAlias();
    for (const auto &[mode, verb] : {std::pair{"playing", "pause"},
                                     {"recording", "pause"},
                                     {"paused", "resume"},
                                     {"Playing", "resume"}}) {
        device.answers.clear();
        device.commands.clear();
        device.answer("status " + a + " mode wait", 0, mode);
        device.answer(std::string(verb), 302);
        ASSERT_EQ(callByName(control.get(), "Pause"), S_OK);
        EXPECT_EQ(device.texts().back(), std::string(verb) + " " + a + " wait") << mode;
        EXPECT_EQ(errorCode(control.get()), 302) << mode;
    }
}

} // namespace
