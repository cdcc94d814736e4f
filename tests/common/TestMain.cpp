// Shared main of every test executable: the clock locked against setting and the system bus out of reach,
// a QApplication on the offscreen platform, a fixed locale and time zone, and a throw-away home so no test
// can touch the real user's files or desktop settings.
#include "DialogAnswerer.h"
#include "TimeLock.h"
#include "platform_gui/Application.h"
#ifdef SZ_HAVE_CONTROLS
#include "controls/LXApplication.h"
#endif

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

int main(int argc, char** argv)
{
    // Before anything else runs: no test, and no program a test starts, may move the machine's clock.
    if (!InstallTimeLock())
        return 3;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("TZ", "UTC", 1);
    tzset();
    // Only ALSA's "null" PCM, which every machine has: no test may open a real sound card.
    setenv("SONVELA_ALSA_PCMS", "null", 1);

    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QByteArray root = QFile::encodeName(home.path());
    for (const char* sub : {"config", "data", "cache", "runtime"})
        QDir(home.path()).mkpath(sub);
    setenv("HOME", root.constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    QFile::setPermissions(home.path() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The clock is set through the system's time service: no test may reach the machine's system bus.
    setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + root + "/no-system-bus").constData(), 1);

    // The program's own application object, so its error boundary is what every test runs under.
    platform::Application app(argc, argv);
#ifdef SZ_HAVE_CONTROLS
    // The control library as the programs start it, its timer pool moved only by tests' ticks.
    ControlLibrary controlLibrary;
    LXApplication().TimerPool().SetManual(true);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    // A box that no test expected fails that test instead of waiting for a click.
    ScriptedDialogAnswerer unexpectedBoxes;
    return RUN_ALL_TESTS();
}
