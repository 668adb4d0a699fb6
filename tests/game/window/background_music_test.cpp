// The background music through the real control and device, created by CLSID from a private
// registry, on the null sink: it loops on Done, Sound Off stops it where it is, Sound On
// resumes it, a missing file only means silence, and a play that fails or plays nothing is
// tried again only after a pause.
#include "base/window_message.h"
#include "mci/mci_constants.h"
#include "mci/mci_device.h"
#include "small_wave_file.h"
#include "temporary_folder.h"
#include "testable_main.h"
#include "window/program_folder.h"

#include <QAction>
#include <QTest>
#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <vector>

using korvane::test::TestableMain;

namespace {

// Passes every command on to the real device and keeps its text.
class ForwardingDevice final : public MciDevice {
  public:
    ForwardingDevice()
        : m_previous(SetMciDevice(this)) {}
    ~ForwardingDevice() override { SetMciDevice(m_previous); }

    MCIERROR sendString(const char *command, char *reply, UINT length, HWND callback) override {
        commands.emplace_back(command);
        // As a device that opens but is lost as soon as it plays: the play is accepted and
        // ends at once with a failure.
        if (failEachPlay && commands.back().starts_with("play ")) {
            PostMessageA(callback, MM_MCINOTIFY, MCI_NOTIFY_FAILURE, 1);
            return 0;
        }
        answers.push_back(BuiltinMciDevice().sendString(command, reply, length, callback));
        return answers.back();
    }

    bool failEachPlay = false;

    int count(const std::string &verb) const {
        int found = 0;
        for (const std::string &command : commands)
            found += command.starts_with(verb + " ") ? 1 : 0;
        return found;
    }

    std::vector<std::string> commands;
    std::vector<MCIERROR> answers; // of the commands passed on, in order

  private:
    MciDevice *m_previous;
};

class BackgroundMusicTest : public QObject {
    Q_OBJECT

    TemporaryFolder m_folder;

    // A 16-bit mono sound at 8000 Hz: 1200 frames last 0.15 s.
    std::string music(uint32_t frames) {
        const std::string path = m_folder.file("music-" + std::to_string(frames) + ".wav");
        return writeSmallWave(path, frames) ? path : std::string();
    }

  private slots:
    void initTestCase() {
        const std::string registry = m_folder.file("registry");
        qputenv("KORVANE_COM_REGISTRY", registry.c_str());
        void *module = dlopen(NELOWAV_MODULE, RTLD_NOW);
        QVERIFY(module != nullptr);
        auto registerServer = reinterpret_cast<long (*)()>(dlsym(module, "DllRegisterServer"));
        QVERIFY(registerServer != nullptr);
        QCOMPARE(registerServer(), 0L);
    }

    // The game finds Music.wav beside the program wherever the program's folder is, whatever
    // bytes its name holds; the link stands for the kernel's link to the running program.
    void musicBesideAProgramInAFolderNamedInLatin1Opens() {
        const std::string folder = m_folder.file("k\xF6rvane \xFF");
        std::filesystem::create_directory(folder);
        QVERIFY(writeSmallWave(folder + "/Music.wav", 1200));
        const std::string link = m_folder.file("program-link");
        std::filesystem::create_symlink(folder + "/korvane", link);
        QCOMPARE(programFolder(link.c_str()), folder);
        ForwardingDevice device;
        TestableMain window(programFolder(link.c_str()) + "/Music.wav");
        const auto open = std::find_if(device.commands.begin(), device.commands.end(),
                                       [](const std::string &c) { return c.starts_with("open "); });
        QVERIFY(open != device.commands.end());
        QCOMPARE(device.answers.at(static_cast<size_t>(open - device.commands.begin())),
                 MCIERROR{0});
    }

    void doneLoopsTheMusicAndSoundOffStopsIt() {
        ForwardingDevice device;
        TestableMain window(music(1200));
        QVERIFY(QTest::qWaitFor([&] { return device.count("play") >= 4; }, 5000));
        QCOMPARE(device.count("seek"), device.count("play") - 1);

        window.menus().mnuSndOff->trigger();
        QCOMPARE(device.commands.back().substr(0, 5), std::string("stop "));
        const int plays = device.count("play");
        QTest::qWait(400);
        QCOMPARE(device.count("play"), plays);
        QVERIFY(window.menus().mnuSndOn->isVisible());

        const int seeks = device.count("seek");
        window.menus().mnuSndOn->trigger();
        QCOMPARE(device.count("seek"), seeks);
        QCOMPARE(device.count("play"), plays + 1);
        QVERIFY(QTest::qWaitFor([&] { return device.count("seek") > seeks; }, 2000));
    }

    void aMissingFileIsSilenceAndTheMenuStillSwitches() {
        ForwardingDevice device;
        TestableMain window(std::string("/nonexistent/Music.wav"));
        QTest::qWait(300);
        QCOMPARE(device.count("play"), 1); // a play that fails at once does not loop
        window.menus().mnuSndOff->trigger();
        QVERIFY(!window.menus().mnuSndOff->isVisible());
        window.menus().mnuSndOn->trigger();
        QVERIFY(!window.menus().mnuSndOn->isVisible());
    }

    void aFileOfNoFramesIsPlayedOnlyNowAndThen() {
        ForwardingDevice device;
        TestableMain window(music(0));
        QTest::qWait(3200);
        QVERIFY2(device.count("play") >= 2 && device.count("play") <= 5,
                 std::to_string(device.count("play")).c_str());
    }

    void aFailedPlayIsRetriedLaterAndTheMusicComesBack() {
        ForwardingDevice device;
        device.failEachPlay = true;
        TestableMain window(music(1200));
        QTest::qWait(300);
        QCOMPARE(device.count("play"), 1);
        QCOMPARE(device.count("seek"), 0);
        window.menus().mnuSndOff->trigger();
        QTest::qWait(1200);
        QCOMPARE(device.count("play"), 1); // Sound Off dropped the retry
        window.menus().mnuSndOn->trigger();
        QCOMPARE(device.count("play"), 2);
        device.failEachPlay = false;
        QVERIFY(QTest::qWaitFor([&] { return device.count("play") >= 4; }, 5000));
    }
};

} // namespace

QTEST_MAIN(BackgroundMusicTest)
#include "background_music_test.moc"
