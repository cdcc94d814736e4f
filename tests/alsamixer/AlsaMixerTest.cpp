// The mixer on the real ALSA back-end, against a private sound server with a null sink that this
// test starts in its own temporary folder and ends by its process id; ALSA reaches it through its
// pulse plug-in as the PCM "default", which is then the only playback device. Its own executable:
// the device list is read once per process, and every other suite lists only "null".
#include "playout/AudioMixer.h"

#include "TempFolder.h"
#include "audiolib/AudioLib.h"
#include "platform/AlsaMixerLayout.h"
#include "playout/MixerWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace platform;

namespace {

class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        QDir(folder_.Path()).mkpath("run");
        QFile::setPermissions(folder_.File("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        server_.setProcessEnvironment(Environment());
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                     "--disallow-exit", "-L", "module-null-sink sink_name=sz", "-L",
                                     "module-native-protocol-unix auth-anonymous=1 socket=" + Socket()});
        if (!server_.waitForStarted(10000))
            return;
        // The socket appears once the server takes clients.
        running_ = QTest::qWaitFor(
                       [&] { return QFileInfo::exists(Socket()) || server_.state() == QProcess::NotRunning; },
                       10000) &&
                   server_.state() == QProcess::Running;

        QFile config(folder_.File("asound.conf"));
        if (!config.open(QIODevice::WriteOnly))
            running_ = false;
        const QByteArray server = "\"unix:" + QFile::encodeName(Socket()) + "\"";
        config.write("pcm.!default { type pulse; server " + server + " }\n");
        config.write("ctl.!default { type pulse; server " + server + " }\n");
        config.close();
        setenv("ALSA_CONFIG_PATH",
               ("/usr/share/alsa/alsa.conf:" + QFile::encodeName(config.fileName())).constData(), 1);
        setenv("SONVELA_ALSA_PCMS", "default", 1);
    }

    ~PrivateSoundServer()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        server_.terminate(); // SIGTERM to its own process id
        if (!server_.waitForFinished(10000))
            server_.kill();
        server_.waitForFinished(5000);
    }

    bool IsRunning() const { return running_; }
    QString Output() { return QString::fromLocal8Bit(server_.readAll()); }

    // Another client of the server changes something.
    bool Control(const QStringList& arguments)
    {
        QProcess client;
        QProcessEnvironment environment = Environment();
        environment.insert("PULSE_SERVER", "unix:" + Socket());
        client.setProcessEnvironment(environment);
        client.start("pactl", arguments);
        return client.waitForFinished(10000) && client.exitStatus() == QProcess::NormalExit &&
               client.exitCode() == 0;
    }

private:
    QString Socket() const { return folder_.File("native"); }

    // Its home and runtime folders are the test's: it never meets a desktop's own server.
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", folder_.Path());
        environment.insert("XDG_RUNTIME_DIR", folder_.File("run"));
        environment.insert("XDG_CONFIG_HOME", folder_.File("config"));
        return environment;
    }

    TempFolder folder_;
    QProcess server_;
    bool running_ = false;
};

class AlsaMixerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<PrivateSoundServer>(); }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override { ASSERT_TRUE(server->IsRunning()) << server->Output().toStdString(); }

    static std::unique_ptr<PrivateSoundServer> server;
};

std::unique_ptr<PrivateSoundServer> AlsaMixerTest::server;

const MixerControl* ControlOfType(const TMixerControls& controls, uint32_t type)
{
    for (const MixerControl& control : controls.All()) {
        if (control.type == type)
            return &control;
    }
    return nullptr;
}

} // namespace

TEST_F(AlsaMixerTest, TheServersMixerIsPlaybackDeviceOne)
{
    TAudioMixer mixer;
    ASSERT_EQ(mixer.MixerCount(), 1);
    EXPECT_EQ(mixer.MixerId(), 0);
    EXPECT_EQ(mixer.ProductName(), QString::fromUtf8(audiolib::GetDeviceName(1)));
    EXPECT_EQ(mixer.ProductName(), "default");
    EXPECT_EQ(mixer.Manufacturer(), "0 = Unknown");

    const TMixerDestination* playback = mixer.Destinations().Item(0);
    ASSERT_NE(playback, nullptr);
    EXPECT_EQ(playback->Data.componentType, MixerLineSpeakers);
    EXPECT_NE(ControlOfType(playback->Controls, MixerControlVolume), nullptr);
    EXPECT_NE(ControlOfType(playback->Controls, MixerControlMute), nullptr);
    // The server has no analogue inputs: nothing for line-in or microphone switching to find.
    for (int d = 0; d < mixer.Destinations().Count(); ++d) {
        const TMixerConnections& connections = mixer.Destinations().Item(d)->Connections;
        for (int c = 0; c < connections.Count(); ++c) {
            EXPECT_NE(connections.Item(c)->Data.componentType, MixerSourceLine);
            EXPECT_NE(connections.Item(c)->Data.componentType, MixerSourceMicrophone);
        }
    }
}

TEST_F(AlsaMixerTest, MasterVolumeAndMuteAreWrittenAndReadBack)
{
    TAudioMixer mixer;
    ASSERT_TRUE(mixer.SetVolume(0, -1, 1, 20000, 40000));
    TMixerVolume volume;
    ASSERT_TRUE(mixer.GetVolume(0, -1, volume));
    EXPECT_TRUE(volume.Stereo);
    EXPECT_EQ(volume.Left, 40000);
    EXPECT_EQ(volume.Right, 20000);
    EXPECT_EQ(volume.Mute, 1);

    // Through a second opening: the values are the server's, not this handle's.
    TAudioMixer other;
    ASSERT_TRUE(other.GetVolume(0, -1, volume));
    EXPECT_EQ(volume.Left, 40000);
    EXPECT_EQ(volume.Mute, 1);
    // The first opening hears of the other's write when the server tells it.
    ASSERT_TRUE(other.SetMute(0, -1, false));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mixer.GetVolume(0, -1, volume) && volume.Mute == 0; }, 10000));
}

TEST_F(AlsaMixerTest, AVolumeChangedByAnotherProgramRaisesOnControlChange)
{
    TAudioMixer mixer;
    const MixerControl* master = ControlOfType(mixer.Destinations().Item(0)->Controls, MixerControlVolume);
    ASSERT_NE(master, nullptr);
    QSignalSpy changes(&mixer, &TAudioMixer::OnControlChange);
    ASSERT_TRUE(server->Control({"set-sink-volume", "sz", "50%"}));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (const QList<QVariant>& change : changes) {
                if (change[2].value<quint32>() == master->controlId)
                    return true;
            }
            return false;
        },
        10000));
    TMixerVolume volume;
    ASSERT_TRUE(mixer.GetVolume(0, -1, volume));
    EXPECT_EQ(volume.Left, ToMixerVolume(65536 / 2, 0, 65536));
}

TEST_F(AlsaMixerTest, AServerThatGoesAwayLeavesTheMixerAnsweringFalse)
{
    TAudioMixer mixer;
    TMixerVolume volume;
    ASSERT_TRUE(mixer.GetVolume(0, -1, volume));
    // As a pulled card would: the device's descriptor reports the loss, and the mixer stops listening.
    server.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !mixer.GetVolume(0, -1, volume); }, 10000));
    EXPECT_FALSE(mixer.SetVolume(0, -1, 0, -1, 1000));
    server = std::make_unique<PrivateSoundServer>(); // for the tests after this one
}

TEST_F(AlsaMixerTest, TheMixerWindowListsDeviceOneAndItsBarSetsTheMaster)
{
    TFMixer window;
    window.show();
    ASSERT_EQ(window.CBDevices->count(), 1);
    EXPECT_EQ(window.CBDevices->itemText(0), QString::fromUtf8(audiolib::GetDeviceName(1)));
    EXPECT_EQ(window.CBDestination->itemText(0), "Playback");
    EXPECT_EQ(window.CBSources->currentIndex(), 0);
    ASSERT_FALSE(window.TB->isHidden());

    window.TB->setValue(40000);
    // Read back through an opening of its own: the server's value, not the window's handle's.
    TAudioMixer other;
    TMixerVolume volume;
    ASSERT_TRUE(other.GetVolume(0, -1, volume));
    EXPECT_EQ(volume.Left, 40000);
    EXPECT_EQ(volume.Right, 40000);
}
