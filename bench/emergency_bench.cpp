// The emergency key's delay: from just before Ctrl+F12's release is sent to the first mixed block of
// device 0 that holds the emergency item's samples. A timed tool run by hand: build/bench/emergency_bench.
// Under its own Xvfb (the program starts one and runs itself again on that display), the folders
// window and channel 1 in one process on the xcb platform, channel 1 on device 0 in real time, the hook
// installed from the built libTastrel.so, the first page one WAV that starts at full scale. A second X
// connection presses the keys with XTest fifty times; the channel is stopped and emptied between them.
#include "FileBytes.h"
#include "WavWriter.h"
#include "XTestInput.h"
#include "XvfbServer.h"
#include "audiolib/AudioLib.h"
#include "controls/LXApplication.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "library/Folders.h"
#include "platform/IniFile.h"
#include "platform_gui/KeyboardHook.h"
#include "playout/AudioLayer.h"
#include "playout/Channel1.h"
#include "playout/DeviceTables.h"
#include "playout/PlayerSlot.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Presses = 50;

std::atomic<bool> armed{false};
std::atomic<int64_t> heardAt{0}; // steady-clock nanoseconds of the first loud block

int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// Runs the program again on a private X server and hands back its exit code.
int RunOnPrivateDisplay(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing_support::XvfbServer server(1024, 768);
    if (!server.Running()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.Error()));
        return 1;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", server.Display());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("SZ_EMERGENCY_BENCH_DISPLAY", server.Display());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {});
    child.waitForFinished(-1);
    return child.exitCode();
}

bool WaitUntil(const std::function<bool()>& done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return done();
}

} // namespace

int main(int argc, char** argv)
{
    const QByteArray display = qgetenv("SZ_EMERGENCY_BENCH_DISPLAY");
    if (display.isEmpty())
        return RunOnPrivateDisplay(argc, argv);

    QApplication app(argc, argv);
    ControlLibrary controlLibrary;
    QTemporaryDir station;
    AppDir = station.path() + '/';
    const QString jingle = AppDir + "jingles/sos.wav";
    QDir().mkpath(AppDir + "jingles");
    if (!QFile::copy(SZ_TASTREL_LIBRARY, AppDir + "libTastrel.so") ||
        !testing_support::WriteWav(jingle, {}, 44100, [](int64_t, int) { return 1.0; })) {
        std::fprintf(stderr, "cannot stage the station folder\n");
        return 1;
    }
    SettingsPath = AppDir + "Sonvelazodu.ini";
    WriteBytes(SettingsPath,
               "[Folder0]\nname=JINGLES\n[FolderDirs0]\n" + QString(AppDir + "jingles").toUtf8() + "=\n");
    SettingsIni = std::make_unique<platform::IniFile>(SettingsPath);

    audiolib::Init(0, 44100, 0);
    OutputDevices[0] = TDevice{"No sound", "No sound", 0, CapsFloat, {}};
    StationOptions.DeviceOut[1] = QStringLiteral("No sound");
    Channels[1].Device = QStringLiteral("No sound");
    StationOptions.CrossfadeEnabled[1] = false;
    StationOptions.ChannelVolume[1] = 100;
    audiolib::NullSetSink([](const float* stereo, int64_t frames) {
        if (!armed)
            return;
        for (int64_t i = 0; i < 2 * frames; ++i)
            if (std::fabs(stereo[i]) > 0.25f) {
                heardAt = Now();
                armed = false;
                return;
            }
    });

    FChannel1 = new TFChannel1;
    FChannel1->DoFirstShow();
    FFolders = new TFFolders;
    FFolders->Channel = {[](const QString& path, uint8_t keep) { return FChannel1->AddItem(path, keep); },
                         [](int index) { FChannel1->PlayItemAt(index); }};
    FFolders->LoadFolders();
    if (!WaitUntil([] { return !FFolders->Loading(); }, 10000) || !FFolders->KeyboardHookHandle ||
        !FFolders->KeyboardHookHandle->SystemWide()) {
        std::fprintf(stderr, "the folders window or its system-wide hook is not ready\n");
        return 1;
    }

    XTestInput keys(QString::fromLocal8Bit(display));
    std::vector<double> delays;
    for (int press = 0; press < Presses; ++press) {
        FChannel1->Playback().StopAll();
        FChannel1->Queue().ResetChannel();
        WaitUntil([] { return false; }, 50); // the stop is heard
        heardAt = 0;
        armed = true;
        keys.Key("Control_L", true);
        keys.Key("F12", true);
        const int64_t sent = Now();
        keys.Key("F12", false);
        keys.Key("Control_L", false);
        if (!WaitUntil([] { return heardAt != 0; }, 2000)) {
            std::fprintf(stderr, "press %d: nothing was heard\n", press + 1);
            armed = false;
            continue;
        }
        delays.push_back(double(heardAt - sent) / 1e6);
    }
    FChannel1->Playback().StopAll();
    delete FFolders;
    delete FChannel1;
    audiolib::NullSetSink(nullptr);
    audiolib::Free();
    if (delays.empty())
        return 1;
    std::sort(delays.begin(), delays.end());
    std::printf(
        "emergency key to first loud block of device 0, %zu presses: median %.1f ms, worst %.1f ms, best "
        "%.1f ms\n",
        delays.size(), delays[delays.size() / 2], delays.back(), delays.front());
    return 0;
}
