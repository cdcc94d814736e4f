#include "StationFixture.h"

#include "FileBytes.h"
#include "audiolib/AudioLib.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"
#include "playout/DeviceTables.h"
#include "playout/MediaSetup.h"
#include "shell/Main.h"
#include "shell/Station.h"
#include "shell/StationHooks.h"
#include "shell/Trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

namespace {

// "No sound" only: the machine's sound cards stay out of the tests.
class NoSoundOnly : public DeviceSystem {
public:
    QStringList OutputNames() override { return {}; }
    QStringList InputNames() override { return {}; }
    const char* OutputDescription(int device) override { return device == 0 ? "No sound" : nullptr; }
    bool InitOutput(int device) override { return audiolib::Init(device, 44100, 0); }
    bool SetOutput(int device) override { return audiolib::SetDevice(device); }
    bool CanCreateFloatStream() override { return true; }
    const char* InputDescription(int) override { return nullptr; }
    bool InitInput(int) override { return false; }
    bool SetInput(int) override { return false; }
    const char* InputSourceName(int) override { return nullptr; }
    int32_t InputSourceSetting(int) override { return -1; }
};

constexpr int WatchdogMs = 10000;

} // namespace

void StationFixture::SetUp()
{
    ASSERT_TRUE(folder.IsValid());
    qputenv(AppDirVariable, QFile::encodeName(folder.Path()));
    ASSERT_TRUE(audiolib::SetConfig(audiolib::ConfigNullManual, 1));
    devices_ = std::make_unique<NoSoundOnly>();
    previousDevices_ = InstallDeviceSystem(devices_.get());
    Hooks().CountInstances = [] { return 1; };
    Hooks().FreeMedia = [this] {
        ++freeMediaCalls;
        FreeMedia();
    };
    // A fresh process: nothing loaded yet.
    StationOptions = TOptions{};
    SettingsIni.reset();
    MainTitle.clear();
    CombinationsPath.clear();
}

void StationFixture::TearDown()
{
    SetTraceListener({});
    ResetHooks();
    InstallDeviceSystem(previousDevices_);
    if (audiolib::SetDevice(0))
        audiolib::Free();
    SettingsIni.reset();
    qunsetenv(AppDirVariable);
}

int StationFixture::RunStation(const std::map<QString, std::function<void()>>& actions)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "The program did not end";
        QCoreApplication::exit(99);
    });
    watchdog.start(WatchdogMs);
    SetTraceListener([&actions](const QString& marker) {
        const auto action = actions.find(marker);
        if (action != actions.end())
            QTimer::singleShot(0, action->second);
    });
    const int exitCode = ::RunStation();
    SetTraceListener({});
    return exitCode;
}

void StationFixture::CloseSettingsWindow()
{
    ASSERT_NE(FMain, nullptr);
    FMain->close();
}

std::pair<const QString, std::function<void()>> StationFixture::AtFirstShowEnd(std::function<void()> look)
{
    return {"S11", [this, look] {
                look();
                dialogs.ExpectButton(QMessageBox::Yes);
                CloseSettingsWindow();
            }};
}

void StationFixture::WriteProgramFile(const QString& name, const QByteArray& bytes) const
{
    ASSERT_TRUE(WriteBytes(folder.File(name), bytes));
}

QByteArray StationFixture::ReadProgramFile(const QString& name) const
{
    return ReadBytes(folder.File(name));
}

QString StationFixture::SettingsValue(const QString& section, const QString& key) const
{
    return platform::IniFile(folder.File("Sonvelazodu.ini")).ReadString(section, key, "<missing>");
}
