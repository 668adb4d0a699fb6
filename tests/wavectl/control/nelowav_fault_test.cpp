// Every file operation of the control failing as a full disk, a missing or unwritable
// temporary folder or a failing device would make it fail: each reports its code, keeps the
// session usable or closes it cleanly, leaves the host's file as it was and no temporary file
// behind.
#include "base/file_faults.h"
#include "com/connection_point.h"
#include "control_support.h"
#include "file_content.h"
#include "interface/nelowav_ids.h"
#include "mci/mci_constants.h"
#include "number_event_sink.h"
#include "wave_builder.h"
#include "wavedata/error_codes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Several pages, so that a file cut short under its mapping loses whole pages.
constexpr int32_t kFrames = 8000;
constexpr int32_t kRate = 8000;

// 16-bit mono at 8000 Hz with a ramp, so that every edit changes bytes.
Bytes rampWave() {
    Bytes samples;
    for (int32_t n = 0; n < kFrames; ++n)
        appendLittle(samples, static_cast<uint32_t>(n * 40), 2);
    return pcmWave(1, 16, kRate, samples);
}

class NeloWavFaultTest : public ControlTest {
  public:
    // The files in the temporary folder other than a working copy and the clip, which belong
    // to a live session and to the module.
    std::vector<std::string> strayTemporaries(bool sessionLive) const {
        std::vector<std::string> stray;
        for (const auto &entry : fs::directory_iterator(temporary)) {
            const std::string name = entry.path().filename().string();
            const bool numbered = name.ends_with(".tmp") && name.size() == 11;
            const bool owned =
                numbered && (name.starts_with("clp") || (sessionLive && name.starts_with("wav")));
            if (!owned)
                stray.push_back(name);
        }
        return stray;
    }

    const std::string temporary = file("tmp");
    const std::string host = file("host.wav");
    std::string original;

  protected:
    static void SetUpTestSuite() {
        // Before SDL starts: its disk driver writing into /dev/full fails as soon as it plays.
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", "/dev/full", 1);
        registerModuleFreshly();
    }

    void SetUp() override { startCase(); }

    void TearDown() override {
        disarmFileFaults();
        control = {};
        ::unsetenv("TMPDIR");
    }

    // A fresh temporary folder, host file and control.
    void startCase() {
        control = {};
        fs::remove_all(temporary);
        fs::remove(file("copy.wav"));
        fs::create_directory(temporary);
        ::setenv("TMPDIR", temporary.c_str(), 1);
        writeFile(host, rampWave());
        original = contentOf(host);
        control = createControl();
    }
};

// After the fault the session is either still open on the sound it had, so that a later
// edit works, or closed, so that the host can open it again.
enum class Afterwards { Usable, Closed };

struct FaultCase {
    const char *what;
    FileCall call;
    // Appended to the temporary folder's path, or to the host's folder when onHost.
    std::string pathPart;
    bool onHost;
    int error;
    // The matching call that fails; 0 for every one (a full disk).
    int nth;
    std::function<MciCode(NeloWavFaultTest &)> act;
    MciCode code;
    Afterwards afterwards;
};

MciCode setRate(NeloWavFaultTest &t) {
    return t.call("SetSamplingRate", {variantI4(11025)});
}

MciCode halveVolume(NeloWavFaultTest &t) {
    return t.call("ChangeVolume", {variantI4(0), variantI4(-1), variantR4(0.5f)});
}

MciCode copyFrames(NeloWavFaultTest &t) {
    return t.call("Copy", {variantI4(0), variantI4(99)});
}

// The clip is written whole before the paste reads it back.
MciCode copyAndPaste(NeloWavFaultTest &t) {
    const MciCode copied = copyFrames(t);
    return copied != 0 ? copied : t.call("Paste", {variantI4(0), variantI4(9)});
}

MciCode save(NeloWavFaultTest &t) {
    return t.call("Save");
}

MciCode openHost(NeloWavFaultTest &t) {
    return t.callWithPath("Open", t.host);
}

MciCode saveAsCopy(NeloWavFaultTest &t) {
    return t.callWithPath("SaveAs", t.file("copy.wav"));
}

TEST_F(NeloWavFaultTest, EachFaultGivesItsCodeAndKeepsTheHostsFile) {
    const MciCode notSaved = MCIERR_FILE_NOT_SAVED;
    const FaultCase cases[] = {
        {"unwritable temporary folder", FileCall::Open, "/", false, EACCES, 0, setRate,
         kCodeCannotSaveTmp, Afterwards::Usable},
        {"full disk during the working-copy save", FileCall::Write, "/", false, ENOSPC, 0, setRate,
         kCodeCannotSaveTmp, Afterwards::Usable},
        // A working copy is scratch: it is never flushed, so a failing flush cannot stop an edit.
        {"working copy never flushed", FileCall::Sync, "/", false, EIO, 0, setRate, 0,
         Afterwards::Usable},
        // The rewrite's file beside the working copy is named as the device's save of it was,
        // which wrote the header and the samples first.
        {"full disk during a rewrite", FileCall::Write, "/.wav", false, ENOSPC, 3, halveVolume,
         kCodeCannotSaveTmp, Afterwards::Usable},
        // The first rename onto the working copy is the device's save of it; the second is
        // the rewrite's.
        {"rewrite not renamed into place", FileCall::Rename, "/wav", false, EIO, 2, halveVolume,
         kCodeCannotSaveTmp, Afterwards::Usable},
        {"header patch fails", FileCall::Write, "/wav", false, EIO, 1, setRate, kCodeCannotSaveTmp,
         Afterwards::Usable},
        {"header patch cannot seek", FileCall::Seek, "/wav", false, EIO, 1, setRate,
         kCodeCannotSaveTmp, Afterwards::Usable},
        {"clip cannot seek for a paste", FileCall::Seek, "/clp", false, EIO, 1, copyAndPaste,
         kCodeClipEmpty, Afterwards::Usable},
        {"working copy cannot seek for an edit", FileCall::Seek, "/wav", false, EIO, 1, halveVolume,
         kCodeCannotCreateBuffer, Afterwards::Usable},
        {"working copy unreadable for the edit", FileCall::Read, "/wav", false, EIO, 1, halveVolume,
         kCodeCannotCreateBuffer, Afterwards::Usable},
        {"full disk during a clip write", FileCall::Write, "/.clp", false, ENOSPC, 0, copyFrames,
         kCodeClipInaccessible, Afterwards::Usable},
        {"working copy cannot be reopened", FileCall::Map, "/wav", false, EIO, 0, setRate,
         kCodeCannotReopen, Afterwards::Closed},
        {"full disk during Save", FileCall::Write, "/.host.wav", true, ENOSPC, 0, save, notSaved,
         Afterwards::Usable},
        {"Save not flushed", FileCall::Sync, "/.host.wav", true, EIO, 0, save, notSaved,
         Afterwards::Usable},
        {"Save not renamed over the host", FileCall::Rename, "/host.wav", true, EIO, 0, save,
         notSaved, Afterwards::Usable},
        // The first look at the host is the one that shortens its path for the command.
        {"host not looked at by Save", FileCall::Stat, "/host.wav", true, EIO, 2, save, notSaved,
         Afterwards::Usable},
        {"host's write permission not asked", FileCall::Access, "/host.wav", true, EIO, 0, save,
         notSaved, Afterwards::Usable},
        {"host's mode not kept", FileCall::Chmod, "/.host.wav", true, EIO, 0, save, notSaved,
         Afterwards::Usable},
        {"full disk during SaveAs", FileCall::Write, "/.copy.wav", true, ENOSPC, 0, saveAsCopy,
         notSaved, Afterwards::Usable},
        {"host unreadable for the header scan", FileCall::Read, "/host.wav", true, EIO, 0, openHost,
         kCodeHeaderSize, Afterwards::Closed},
        {"host cannot be mapped when opened", FileCall::Map, "/host.wav", true, EIO, 0, openHost,
         MCIERR_FILE_READ, Afterwards::Closed},
    };
    for (const FaultCase &c : cases) {
        SCOPED_TRACE(c.what);
        startCase();
        ASSERT_EQ(callWithPath("Open", host), 0);
        const std::string faulted = c.onHost ? folder().string() : temporary;
        armFileFault({c.call, faulted + c.pathPart, c.error, std::max(c.nth, 1), c.nth == 0});
        EXPECT_EQ(c.act(*this), c.code);
        disarmFileFaults();
        EXPECT_EQ(contentOf(host), original);
        EXPECT_FALSE(fs::exists(file("copy.wav"))) << "a failed SaveAs leaves nothing it made";
        EXPECT_EQ(strayTemporaries(true), std::vector<std::string>{});
        if (c.afterwards == Afterwards::Usable) {
            EXPECT_EQ(length(), kFrames);
            EXPECT_EQ(setRate(*this), 0) << "a later edit works";
        } else {
            EXPECT_EQ(call("Stop"), MCIERR_INVALID_DEVICE_NAME);
            EXPECT_EQ(callWithPath("Open", host), 0) << "the host opens again";
        }
        control = {};
        QCoreApplication::processEvents();
        EXPECT_EQ(strayTemporaries(false), std::vector<std::string>{})
            << "nothing but the module's clip outlives the control";
    }
}

uint32_t little32At(const std::string &bytes, std::size_t at) {
    uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// The rate and the byte rate go in together: a failure at either leaves the sound at its old
// rate, and success gives the new one, whichever write the fault strikes.
TEST_F(NeloWavFaultTest, ARateChangeTakesEffectWholeOrNotAtAll) {
    for (const int nth : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "write " << nth << " of the header patch fails");
        startCase();
        ASSERT_EQ(callWithPath("Open", host), 0);
        armFileFault({FileCall::Write, temporary + "/wav", EIO, nth, false});
        const MciCode code = setRate(*this);
        disarmFileFaults();
        ASSERT_EQ(call("Save"), 0);
        const std::string saved = contentOf(host);
        const uint32_t expected = code.value == 0 ? 11025 : kRate;
        EXPECT_EQ(little32At(saved, 24), expected) << "the rate, after code " << code.value;
        EXPECT_EQ(little32At(saved, 28), expected * 2) << "the bytes per second";
    }
}

// Removed or cut short by another program while its session is open, the host's file takes
// nothing of the session with it: what was cut reads as silence, nothing crashes, and saving
// writes the sound back whole; a removed file is made again, as new files are.
TEST_F(NeloWavFaultTest, AHostFileRemovedOrCutShortUnderTheSessionIsSavedWhole) {
    const struct {
        const char *what;
        bool removed;
        std::size_t cutAt; // the bytes kept
    } cases[] = {
        {"removed", true, original.size()},
        {"cut after its first page", false, 4096},
        {"cut to nothing", false, 0},
    };
    const mode_t umaskBefore = ::umask(027);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        startCase();
        ::chmod(host.c_str(), 0604);
        ASSERT_EQ(callWithPath("Open", host), 0);
        if (c.removed)
            fs::remove(host);
        else
            fs::resize_file(host, c.cutAt);
        EXPECT_EQ(length(), kFrames);
        call("Play", {variantI4(0), variantI4(-1), variantBool(true)});
        EXPECT_EQ(setRate(*this), 0);
        EXPECT_EQ(call("Save"), 0);
        std::string expected = original;
        const std::size_t kept = std::max<std::size_t>(c.cutAt, 44);
        expected.replace(kept, expected.size() - kept, expected.size() - kept, '\0');
        const std::string saved = contentOf(host);
        ASSERT_EQ(saved.size(), original.size());
        EXPECT_TRUE(saved.substr(44) == expected.substr(44)) << "samples kept, the cut silent";
        EXPECT_EQ(fs::status(host).permissions(), c.removed ? fs::perms(0640) : fs::perms(0604))
            << "a new file's mode by the umask, else the file's own";
    }
    ::umask(umaskBefore);
}

// A save through a link that points nowhere makes the file it points to, as a save through
// any other link writes that file; only a link another user planted in a shared folder is
// refused, and nothing is made for it.
TEST_F(NeloWavFaultTest, ASaveThroughALinkToNoFileMakesThatFile) {
    const struct {
        const char *what;
        bool planted;
        MciCode code;
    } cases[] = {
        {"the user's own link", false, 0},
        {"another user's link in a shared folder", true, MCIERR_FILE_NOT_FOUND},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.planted && ::geteuid() != 0)
            continue; // only root can plant a link of another user
        startCase();
        const std::string shared = file("shared");
        fs::remove_all(shared);
        fs::create_directory(shared);
        ::chmod(shared.c_str(), c.planted ? 01777 : 0755);
        const std::string link = shared + "/link.wav";
        fs::create_symlink("made.wav", link);
        if (c.planted) {
            ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
        }
        ASSERT_EQ(callWithPath("Open", host), 0);
        EXPECT_EQ(callWithPath("SaveAs", link), c.code);
        EXPECT_TRUE(fs::is_symlink(link)) << "a link stays a link";
        EXPECT_EQ(fs::exists(shared + "/made.wav"), c.code == 0);
        if (c.code == 0) {
            EXPECT_EQ(contentOf(shared + "/made.wav"), original);
        }
        fs::remove_all(shared);
    }
}

// The working copies and the clip live in the temporary folder, whatever the length of its path.
// The clip stays where the first Copy of the process made it: the longest folder, when this
// test runs alone.
TEST_F(NeloWavFaultTest, EveryEditWorksInATemporaryFolderOfAnyLengthTheSystemTakes) {
    int32_t frames = kFrames;
    for (const std::size_t bytes : {4000u, 1000u, 300u, 116u, 115u}) {
        SCOPED_TRACE(testing::Message() << "a temporary folder of " << bytes << " bytes");
        std::string deep = temporary;
        while (bytes - deep.size() > 201)
            deep += "/" + std::string(200, 'd');
        deep += "/" + std::string(bytes - deep.size() - 1, 't');
        ASSERT_EQ(deep.size(), bytes);
        fs::create_directories(deep);
        ::setenv("TMPDIR", deep.c_str(), 1);
        ASSERT_EQ(callWithPath("Open", host), 0);
        EXPECT_EQ(setRate(*this), 0);
        EXPECT_EQ(halveVolume(*this), 0);
        EXPECT_EQ(copyAndPaste(*this), 0);
        frames += 90; // 100 frames pasted over 10
        EXPECT_EQ(length(), frames);
        EXPECT_EQ(call("Save"), 0);
    }
}

// A temporary folder cleaned under the module takes the clip with it; the next Copy makes one.
TEST_F(NeloWavFaultTest, ACopyAfterTheClipWasRemovedMakesItAnew) {
    ASSERT_EQ(callWithPath("Open", host), 0);
    ASSERT_EQ(copyFrames(*this), 0);
    fs::remove_all(temporary);
    const std::string elsewhere = file("elsewhere");
    fs::create_directory(elsewhere);
    ::setenv("TMPDIR", elsewhere.c_str(), 1);
    EXPECT_EQ(copyAndPaste(*this), 0);
    EXPECT_EQ(length(), kFrames + 90);
}

// A host that names the control's working copy in SaveAs gets a file of its own there: one
// with its mode by the umask, that the next edit and the control's end leave alone.
TEST_F(NeloWavFaultTest, ASaveAsOntoTheWorkingCopyMakesItTheHostsFile) {
    const mode_t umaskBefore = ::umask(027);
    ASSERT_EQ(callWithPath("Open", host), 0);
    ASSERT_EQ(setRate(*this), 0);
    std::string workingCopy;
    for (const auto &entry : fs::directory_iterator(temporary))
        if (entry.path().filename().string().starts_with("wav"))
            workingCopy = entry.path().string();
    ASSERT_FALSE(workingCopy.empty());
    EXPECT_EQ(callWithPath("SaveAs", temporary + "/./" + fs::path(workingCopy).filename().string()),
              0);
    const std::string saved = contentOf(workingCopy);
    EXPECT_EQ(saved.size(), original.size());
    EXPECT_EQ(fs::status(workingCopy).permissions(), fs::perms(0640));
    EXPECT_EQ(halveVolume(*this), 0);
    EXPECT_TRUE(contentOf(workingCopy) == saved) << "the next edit leaves the host's file alone";
    control = {};
    QCoreApplication::processEvents();
    EXPECT_TRUE(contentOf(workingCopy) == saved) << "and so does the control's end";
    ::umask(umaskBefore);
}

// SDL's disk driver writing into /dev/full stands for a device lost as soon as it plays.
class NeloWavLostDeviceTest : public NeloWavFaultTest {
  protected:
    void SetUp() override {
        NeloWavFaultTest::SetUp();
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(control.queryInterface(IID_IConnectionPointContainer, container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(IID_DNeloWavEvents, point.put()), S_OK);
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    }

    void TearDown() override {
        point.reset();
        NeloWavFaultTest::TearDown();
    }

    std::vector<int32_t> doneCodes() const {
        std::vector<int32_t> codes;
        for (const NumberEventSink::Event &event : sink.events)
            codes.push_back(event.values.at(0));
        return codes;
    }

    ComPtr<IConnectionPoint> point;
    NumberEventSink sink{IID_DNeloWavEvents};
    uint32_t cookie = 0;
};

TEST_F(NeloWavLostDeviceTest, APlayOnALostDeviceEndsWithFailureAndTheSessionGoesOn) {
    ASSERT_EQ(callWithPath("Open", host), 0);
    EXPECT_EQ(call("Play", {variantI4(0), variantI4(-1), variantBool(false)}), 0);
    QElapsedTimer waited;
    waited.start();
    while (sink.events.empty() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(doneCodes(), std::vector<int32_t>{static_cast<int32_t>(MCI_NOTIFY_FAILURE)});

    sink.events.clear();
    waited.restart();
    EXPECT_EQ(call("Play", {variantI4(0), variantI4(-1), variantBool(true)}), 0);
    EXPECT_LT(waited.elapsed(), 5000) << "a waiting play returns";
    EXPECT_EQ(length(), kFrames);
    EXPECT_EQ(setRate(*this), 0);
}

} // namespace
