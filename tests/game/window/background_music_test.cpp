// The background music through the real control and device, created by CLSID from a private
// registry, on the null sink: it loops on Done, Sound Off stops it where it is, Sound On
// resumes it, a missing file only means silence, and a play that keeps failing is not retried.
#include "base/window_message.h"
#include "mci/mci_constants.h"
#include "mci/mci_device.h"
#include "testable_main.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <dlfcn.h>
#include <fstream>
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
        return BuiltinMciDevice().sendString(command, reply, length, callback);
    }

    bool failEachPlay = false;

    int count(const std::string &verb) const {
        int found = 0;
        for (const std::string &command : commands)
            found += command.starts_with(verb + " ") ? 1 : 0;
        return found;
    }

    std::vector<std::string> commands;

  private:
    MciDevice *m_previous;
};

// 0.15 s of 8-bit mono sound.
std::string shortMusic() {
    const std::string path = QDir::tempPath().toStdString() + "/korvane-music-test.wav";
    const uint32_t frames = 1200;
    std::ofstream out(path, std::ios::binary);
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>(value >> (8 * i)));
    };
    out << "RIFF";
    put(36 + frames, 4);
    out << "WAVEfmt ";
    for (const auto &[value, bytes] :
         {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {8000u, 4}, {8000u, 4}, {1u, 2}, {8u, 2}})
        put(value, bytes);
    out << "data";
    put(frames, 4);
    out << std::string(frames, '\x80');
    return path;
}

class BackgroundMusicTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        const QString registry = QDir::tempPath() + "/korvane-music-test-registry";
        QFile::remove(registry);
        qputenv("KORVANE_COM_REGISTRY", registry.toUtf8());
        void *module = dlopen(NELOWAV_MODULE, RTLD_NOW);
        QVERIFY(module != nullptr);
        auto registerServer = reinterpret_cast<long (*)()>(dlsym(module, "DllRegisterServer"));
        QVERIFY(registerServer != nullptr);
        QCOMPARE(registerServer(), 0L);
    }

    void doneLoopsTheMusicAndSoundOffStopsIt() {
        ForwardingDevice device;
        TestableMain window(QString::fromStdString(shortMusic()));
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
        TestableMain window(QStringLiteral("/nonexistent/Music.wav"));
        QTest::qWait(300);
        QCOMPARE(device.count("play"), 1); // a play that fails at once does not loop
        window.menus().mnuSndOff->trigger();
        QVERIFY(!window.menus().mnuSndOff->isVisible());
        window.menus().mnuSndOn->trigger();
        QVERIFY(!window.menus().mnuSndOn->isVisible());
    }

    void aPlayThatFailsIsNotRestartedUntilSoundOn() {
        ForwardingDevice device;
        device.failEachPlay = true;
        TestableMain window(QString::fromStdString(shortMusic()));
        QTest::qWait(300);
        QCOMPARE(device.count("play"), 1);
        QCOMPARE(device.count("seek"), 0);
        window.menus().mnuSndOff->trigger();
        window.menus().mnuSndOn->trigger();
        QTest::qWait(100);
        QCOMPARE(device.count("play"), 2);
    }
};

} // namespace

QTEST_MAIN(BackgroundMusicTest)
#include "background_music_test.moc"
