// The command texts that the control's session methods send, seen through a recording device.
#include "activex/ole_interfaces.h"
#include "base/short_path_codec.h"
#include "control_support.h"
#include "file_content.h"
#include "files/short_path.h"
#include "recording_mci_device.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

// Lives as long as the process: the arguments are only read.
const VARIANT kMissingFile = variantText("/nonexistent.wav");

// Just enough of a WAV file for the header scan: its data tag at 36.
const std::string kTaggedBytes = std::string(36, 'x') + "data" + std::string(4, '\0');

std::string shortPathOf(const std::string &path) {
    char buffer[400] = "";
    EXPECT_GT(GetShortPathNameA(path.c_str(), buffer, sizeof buffer), 0u) << path;
    return buffer;
}

std::string next(const std::string &alias) {
    return std::to_string(std::stoi(alias) + 1);
}

class NeloWavSessionTest : public ControlTest {
  protected:
    void SetUp() override {
        ComPtr<IOleWindow> window;
        ASSERT_EQ(control.queryInterface(IID_IOleWindow, window), S_OK);
        ASSERT_EQ(window->GetWindow(&hwnd), S_OK);
    }

    std::string writeFile(const std::string &name, const std::string &bytes = kTaggedBytes) {
        const std::string path = file(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The first word of each command sent.
    std::vector<std::string> verbsSent() const {
        std::vector<std::string> verbs;
        for (const std::string &text : device.texts())
            verbs.push_back(wordsOf(text).at(0));
        return verbs;
    }

    std::string wavFilename() {
        Variant name;
        EXPECT_EQ(callByName(control.get(), "GetWavFilename", {}, name.get()), S_OK);
        return utf8FromBstr(name->bstrVal);
    }

    // Opens a tagged file, forgets the commands that took and returns the alias it got.
    std::string openTaggedFile() {
        EXPECT_EQ(callWithPath("Open", writeFile("opened.wav")), 0);
        const std::vector<std::string> words = wordsOf(device.commands.at(1).text);
        device.commands.clear();
        return words.at(3);
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

// The short path must arrive as one word that decodes to the host's name, whatever the name
// holds; the host's name itself is what GetWavFilename gives back.
TEST_F(NeloWavSessionTest, OpenSendsTheShortPathAsOneWordAndSetsSampleTime) {
    const std::string previous = openAndLearnAlias();
    const std::string alias = next(previous);
    const std::string path = writeFile("a \"quoted\" name alias 7 wait notify type.wav");
    EXPECT_EQ(callWithPath("Open", path), 0);
    EXPECT_EQ(device.texts(),
              (std::vector<std::string>{"close " + previous + " wait",
                                        "open " + shortPathOf(path) + " alias " + alias +
                                            " type waveaudio wait",
                                        "set " + alias + " time format samples wait"}));
    const std::vector<std::string> words = wordsOf(device.texts().at(1));
    ASSERT_EQ(words.size(), 7u);
    EXPECT_EQ(decodeShortPath(words[1]), path);
    EXPECT_EQ(wavFilename(), path);
}

TEST_F(NeloWavSessionTest, AFailedOpenLeavesTheAliasAdvancedAndNoFileName) {
    struct Case {
        const char *what;
        std::string path;
        int32_t code;
        std::vector<std::string> afterClose;
    };
    const std::string tagged = writeFile("tagged.wav");
    const std::string untagged = writeFile("untagged.wav", std::string(200, 'x'));
    const Case cases[] = {
        {"refused by the device", tagged, 296, {"open"}},
        {"missing", file("missing.wav"), 275, {}},
        {"without a data tag", untagged, 514, {"open", "set", "close"}},
    };
    device.answer("open " + shortPathOf(tagged), 296);
    for (const Case &c : cases) {
        const std::string previous = openAndLearnAlias();
        EXPECT_EQ(callWithPath("Open", c.path), c.code) << c.what;
        EXPECT_EQ(wavFilename(), "") << c.what;
        const std::vector<std::string> verbs = verbsSent();
        EXPECT_EQ(verbs.front(), "close") << c.what;
        EXPECT_EQ(std::vector<std::string>(verbs.begin() + 1, verbs.end()), c.afterClose) << c.what;
        device.commands.clear();
        ASSERT_EQ(callByName(control.get(), "Close"), S_OK);
        EXPECT_EQ(device.texts(), std::vector<std::string>{"close " + next(previous) + " wait"})
            << c.what;
    }
    EXPECT_EQ(errorMessage(control.get()), "Cannot determine WAV header size.");
}

TEST_F(NeloWavSessionTest, SaveRecordsOneSampleIntoAnEmptySoundFirst) {
    struct Case {
        const char *length;
        MCIERROR recordCode;
        MCIERROR saveCode;
        std::vector<const char *> verbs;
        int32_t code;
    };
    const Case cases[] = {
        {"1000", 0, 0, {"status", "save"}, 0},
        {"0", 0, 0, {"status", "record", "save"}, 0},
        {"0", 262, 0, {"status", "record"}, 262},
        {"1000", 0, 286, {"status", "save"}, 286},
    };
    const std::string a = openTaggedFile();
    const std::string saveText = "save " + a + " " + shortPathOf(file("opened.wav")) + " wait";
    const std::map<std::string, std::string> texts = {
        {"status", "status " + a + " length wait"},
        {"record", "record " + a + " from 0 to 1 wait"},
        {"save", saveText},
    };
    for (const Case &c : cases) {
        device.answers.clear();
        device.commands.clear();
        device.answer("status", 0, c.length);
        device.answer("record", c.recordCode);
        device.answer("save", c.saveCode);
        ASSERT_EQ(callByName(control.get(), "Save"), S_OK);
        std::vector<std::string> expected;
        for (const char *verb : c.verbs)
            expected.push_back(texts.at(verb));
        EXPECT_EQ(device.texts(), expected) << c.length << " " << c.recordCode;
        EXPECT_EQ(errorCode(control.get()), c.code);
    }
}

// The create step only makes sure the file exists, and a failed save removes the file it made;
// the name changes only with a good save.
TEST_F(NeloWavSessionTest, SaveAsCreatesTheFileAndTakesTheNameOnlyOnSuccess) {
    struct Case {
        const char *target;
        const char *existingContent;
        MCIERROR saveCode;
    };
    const Case cases[] = {
        {"new but refused.wav", nullptr, 286},
        {"new \"copy\" alias 3.wav", nullptr, 0},
        {"existing.wav", "keep", 0},
    };
    const std::string a = openTaggedFile();
    std::string name = file("opened.wav");
    for (const Case &c : cases) {
        const std::string target = file(c.target);
        if (c.existingContent != nullptr)
            writeFile(c.target, c.existingContent);
        device.answers.clear();
        device.commands.clear();
        device.answer("status", 0, "1000");
        device.answer("save", c.saveCode);
        callWithPath("SaveAs", target);
        EXPECT_EQ(contentOf(target), c.existingContent != nullptr ? c.existingContent : "")
            << c.target;
        const bool made = c.existingContent == nullptr;
        EXPECT_EQ(std::filesystem::exists(target), c.saveCode == 0 || !made)
            << c.target << ": a failed SaveAs removes the file it made";
        if (!std::filesystem::exists(target))
            writeFile(c.target, ""); // only for its short form below
        EXPECT_EQ(device.texts(),
                  (std::vector<std::string>{"status " + a + " length wait",
                                            "save " + a + " " + shortPathOf(target) + " wait"}));
        EXPECT_EQ(errorCode(control.get()), c.saveCode) << c.target;
        if (c.saveCode == 0)
            name = target;
        EXPECT_EQ(wavFilename(), name) << c.target;
    }
    ASSERT_EQ(callByName(control.get(), "Save"), S_OK);
    EXPECT_EQ(device.texts().back(), "save " + a + " " + shortPathOf(name) + " wait")
        << "later saves go to the last good target";
}

// Whatever length one method taking a path accepts, the other accepts too: every path the
// system takes, since a long one travels as a short token, and beyond that none, refused with
// "The filename is invalid..." before anything is sent for it.
TEST_F(NeloWavSessionTest, EveryMethodTakingAPathAcceptsTheSameLengths) {
    openTaggedFile();
    // A path of length bytes, in folders of 100-byte names, its file named after the method.
    const auto pathOfLength = [&](std::size_t length, const std::string &method) {
        std::string path = folder().string();
        while (length - path.size() > 250)
            path += "/" + std::string(100, 'd');
        std::filesystem::create_directories(path);
        const std::size_t nameLength = length - path.size() - 1;
        return path + "/" + method + " " + std::string(nameLength - method.size() - 5, 'x') +
               ".wav";
    };
    struct Case {
        std::size_t length;
        int32_t code;
        std::vector<const char *> openVerbs, saveAsVerbs;
    };
    const Case cases[] = {
        {200, 0, {"close", "open", "set"}, {"status", "save"}},
        {267, 0, {"close", "open", "set"}, {"status", "save"}},
        {300, 0, {"close", "open", "set"}, {"status", "save"}},
        {1000, 0, {"close", "open", "set"}, {"status", "save"}},
        {4000, 0, {"close", "open", "set"}, {"status", "save"}},
        {4200, 304, {"close"}, {}},
    };
    device.answer("status", 0, "1000");
    for (const Case &c : cases) {
        for (const char *method : {"Open", "SaveAs"}) {
            const std::string path = pathOfLength(c.length, method);
            ASSERT_EQ(path.size(), c.length);
            if (method == std::string("Open") && c.code == 0)
                writeFile(path.substr(folder().string().size() + 1));
            device.commands.clear();
            EXPECT_EQ(callWithPath(method, path), c.code) << method << " " << c.length;
            const std::vector<const char *> &verbs =
                method == std::string("Open") ? c.openVerbs : c.saveAsVerbs;
            EXPECT_EQ(verbsSent(), std::vector<std::string>(verbs.begin(), verbs.end()))
                << method << " " << c.length;
            for (const std::string &text : device.texts())
                EXPECT_LE(text.size(), 299u) << text;
            if (c.code == 0) {
                EXPECT_EQ(wavFilename(), path) << method << " " << c.length;
            }
        }
    }
}

} // namespace
