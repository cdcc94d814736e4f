// TAudioMixer over a scripted back-end: opening, the destination tree, the volume, mute and
// selection rules, and change notifications. The last test runs on the sound cards' own back-end,
// which the tests' "null" PCM leaves without a mixer.
#include "playout/AudioMixer.h"

#include "FakeMixer.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

#include <thread>

using namespace platform;

namespace {

// Card A: a stereo playback destination with volume and mute, a line input (mono volume, mute) and a
// microphone (stereo volume, no mute); a capture destination whose MUX chooses between its line and
// microphone connections, and a CD connection outside the MUX. Card B: one bare destination.
class AudioMixerTest : public ::testing::Test {
protected:
    AudioMixerTest()
    {
        a = fake.AddDevice("Card A");
        const uint32_t playback = fake.AddDestination(a, "Playback", MixerLineSpeakers);
        playbackVolume = fake.AddControl(a, playback, MixerControlVolume, {1000, 2000});
        playbackMute = fake.AddControl(a, playback, MixerControlMute, {0}, MixerControlUniform);
        const uint32_t line = fake.AddSource(a, playback, "Line", MixerSourceLine, 1);
        lineVolume = fake.AddControl(a, line, MixerControlVolume, {500});
        lineMute =
            fake.AddControl(a, line, MixerControlMute, {1}, MixerControlUniform | MixerControlDisabled);
        const uint32_t mic = fake.AddSource(a, playback, "Mic", MixerSourceMicrophone);
        micVolume = fake.AddControl(a, mic, MixerControlVolume, {300, 400});

        const uint32_t capture = fake.AddDestination(a, "Capture", MixerLineWaveIn);
        const uint32_t captureLine = fake.AddSource(a, capture, "Line", MixerSourceLine);
        captureLineVolume =
            fake.AddControl(a, captureLine, MixerControlVolume, {700, 700}, MixerControlDisabled);
        captureLineMute = fake.AddControl(a, captureLine, MixerControlMute, {0}, MixerControlUniform);
        const uint32_t captureMic = fake.AddSource(a, capture, "Mic", MixerSourceMicrophone);
        const uint32_t captureCd = fake.AddSource(a, capture, "CD", MixerSourceCompactDisc);
        captureCdMute = fake.AddControl(a, captureCd, MixerControlMute, {1}, MixerControlUniform);
        mux = fake.AddItemControl(a, capture, MixerControlMux, {captureLine, captureMic}, {1, 0});

        b = fake.AddDevice("Card B");
        fake.AddDestination(b, "Playback", MixerLineSpeakers);
    }

    size_t WritesTo(uint32_t controlId) const
    {
        size_t count = 0;
        for (const FakeMixer::Write& write : fake.Writes())
            count += write.device == a && write.controlId == controlId ? 1 : 0;
        return count;
    }

    FakeMixer fake;
    int a = 0;
    int b = 0;
    uint32_t playbackVolume = 0, playbackMute = 0, lineVolume = 0, lineMute = 0, micVolume = 0;
    uint32_t captureLineVolume = 0, captureLineMute = 0, captureCdMute = 0, mux = 0;
};

std::string Describe(const TMixerVolume& v)
{
    return "select " + std::to_string(v.IsSelect) + ", mute disabled " + std::to_string(v.MuteDisabled) +
           ", volume disabled " + std::to_string(v.VolumeDisabled) + ", stereo " + std::to_string(v.Stereo) +
           ", mute " + std::to_string(v.Mute) + ", right " + std::to_string(v.Right) + ", left " +
           std::to_string(v.Left);
}

} // namespace

TEST_F(AudioMixerTest, OpensTheFirstDeviceWithNotificationsAndDescribesItsLines)
{
    TAudioMixer mixer;
    EXPECT_EQ(mixer.MixerCount(), 2);
    EXPECT_EQ(mixer.MixerId(), 0);
    EXPECT_EQ(fake.OpenAttempts(), (std::vector<std::pair<int, bool>>{{a, true}}));
    EXPECT_EQ(mixer.ProductName(), "Card A");
    EXPECT_EQ(mixer.Manufacturer(), "0 = Unknown");
    EXPECT_EQ(mixer.DriverVersion(), 0u);
    EXPECT_EQ(mixer.ProductId(), 0);
    EXPECT_EQ(mixer.NumberOfLine(), 2);

    const TMixerDestinations& destinations = mixer.Destinations();
    ASSERT_EQ(destinations.Count(), 2);
    EXPECT_EQ(destinations.Item(2), nullptr);
    EXPECT_EQ(destinations.Item(-1), nullptr);
    const TMixerDestination* playback = destinations.Item(0);
    EXPECT_EQ(playback->Data.name, "Playback");
    EXPECT_EQ(playback->Controls.Count(), 2);
    ASSERT_EQ(playback->Connections.Count(), 2);
    EXPECT_EQ(playback->Connections.Item(0)->Data.componentType, MixerSourceLine);
    EXPECT_EQ(playback->Connections.Item(1)->Data.componentType, MixerSourceMicrophone);
    EXPECT_EQ(playback->Connections.Item(1)->Controls.Count(), 1);
    EXPECT_EQ(playback->Connections.Item(2), nullptr);
    const TMixerDestination* capture = destinations.Item(1);
    EXPECT_EQ(capture->Controls.Control(0)->type, MixerControlMux);
    EXPECT_EQ(capture->Controls.Control(1), nullptr);
    EXPECT_EQ(capture->Connections.Count(), 3);
}

TEST_F(AudioMixerTest, ChoosingADeviceClosesFirstAndIgnoresIdsOutsideTheDevices)
{
    TAudioMixer mixer;
    for (int outside : {5, 2, -1}) {
        mixer.SetMixerId(outside);
        EXPECT_EQ(mixer.MixerId(), 0) << outside;
    }
    EXPECT_EQ(fake.OpenAttempts().size(), 1u);
    EXPECT_EQ(mixer.Destinations().Count(), 2);

    // The same id again: closed and opened anew.
    mixer.SetMixerId(0);
    EXPECT_EQ(fake.OpenAttempts().size(), 2u);
    EXPECT_EQ(fake.OpenNow(), 1);
    EXPECT_EQ(mixer.Destinations().Count(), 2);

    mixer.SetMixerId(1);
    EXPECT_EQ(mixer.MixerId(), 1);
    EXPECT_EQ(fake.OpenNow(), 1);
    EXPECT_EQ(mixer.ProductName(), "Card B");
    EXPECT_EQ(mixer.Destinations().Count(), 1);
}

TEST_F(AudioMixerTest, ADeviceThatCannotNotifyIsOpenedWithoutAndRaisesNothing)
{
    fake.RefuseNotifications(b);
    TAudioMixer mixer;
    QSignalSpy changes(&mixer, &TAudioMixer::OnControlChange);
    mixer.SetMixerId(1);
    EXPECT_EQ(mixer.MixerId(), 1);
    EXPECT_EQ(fake.OpenAttempts(),
              (std::vector<std::pair<int, bool>>{{a, true}, {b, true}, {b, true}, {b, false}}));
    fake.RaiseControlChange(b, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 0);

    // A device that does not open at all leaves none open.
    fake.RefuseOpening(a);
    mixer.SetMixerId(0);
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(fake.OpenNow(), 0);
    EXPECT_EQ(mixer.Destinations().Count(), 0);
    TMixerVolume volume;
    EXPECT_FALSE(mixer.GetVolume(0, -1, volume));
    EXPECT_FALSE(mixer.SetVolume(0, -1, 1, -1, 100));
    EXPECT_FALSE(mixer.SetMute(0, -1, true));
}

TEST_F(AudioMixerTest, GetVolumeReadsMuxBeforeMuteAndTheVolumeChannels)
{
    TAudioMixer mixer;
    struct Case {
        int destination, connection;
        TMixerVolume expected;
    };
    const TMixerVolume initial;
    const Case cases[] = {
        {0, -1, {false, false, false, true, 0, 2000, 1000}},
        {0, 0, {false, true, false, false, 1, 500, 500}}, // mono volume; disabled mute
        {0, 1, {false, true, false, true, -1, 400, 300}}, // no mute control
        {1, 0, {true, false, true, true, 1, 700, 700}},   // the MUX's choice wins over its mute
        {1, 1, {true, false, true, false, 0, -1, -1}},    // in the MUX, no controls of its own
        {1, 2, {false, false, true, false, 1, -1, -1}},   // outside the MUX: its own mute
        {1, -1, initial},                                 // the MUX is skipped on its own line
    };
    for (const Case& c : cases) {
        TMixerVolume volume;
        volume.Left = 12345;
        EXPECT_TRUE(mixer.GetVolume(c.destination, c.connection, volume))
            << c.destination << "," << c.connection;
        EXPECT_EQ(Describe(volume), Describe(c.expected)) << c.destination << "," << c.connection;
    }
    for (const auto& [destination, connection] : {std::pair{2, -1}, {-1, -1}, {0, 2}, {0, -2}, {1, 3}}) {
        TMixerVolume volume;
        volume.Mute = 7;
        EXPECT_FALSE(mixer.GetVolume(destination, connection, volume)) << destination << "," << connection;
        EXPECT_EQ(Describe(volume), Describe(initial));
    }
}

TEST_F(AudioMixerTest, SetVolumeWritesTheLineAndChoosesThroughTheMux)
{
    TAudioMixer mixer;
    // Right -1 is left; mute -1 leaves the mute alone.
    EXPECT_TRUE(mixer.SetVolume(0, -1, -1, -1, 30000));
    EXPECT_EQ(fake.Values(a, playbackVolume), (std::vector<int32_t>{30000, 30000}));
    EXPECT_EQ(WritesTo(playbackMute), 0u);
    // Left -1 leaves the volume alone.
    EXPECT_TRUE(mixer.SetVolume(0, -1, 1, 5, -1));
    EXPECT_EQ(fake.Values(a, playbackVolume), (std::vector<int32_t>{30000, 30000}));
    EXPECT_EQ(fake.Values(a, playbackMute), (std::vector<int32_t>{1}));
    EXPECT_TRUE(mixer.SetVolume(0, 1, 0, 100, 200));
    EXPECT_EQ(fake.Values(a, micVolume), (std::vector<int32_t>{200, 100}));
    EXPECT_TRUE(mixer.SetVolume(0, 0, 0, 100, 200));
    EXPECT_EQ(fake.Values(a, lineVolume), (std::vector<int32_t>{200}));
    EXPECT_EQ(fake.Values(a, lineMute), (std::vector<int32_t>{0}));

    // A connection in the MUX is chosen there, and its own mute is left alone.
    EXPECT_TRUE(mixer.SetVolume(1, 0, 0, -1, -1));
    EXPECT_EQ(fake.Values(a, mux), (std::vector<int32_t>{0, 0}));
    EXPECT_TRUE(mixer.SetVolume(1, 1, 1, -1, -1));
    EXPECT_EQ(fake.Values(a, mux), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(WritesTo(captureLineMute), 0u);
    // One outside it leaves the MUX as it is.
    const size_t muxWrites = WritesTo(mux);
    EXPECT_TRUE(mixer.SetVolume(1, 2, 0, -1, -1));
    EXPECT_EQ(fake.Values(a, captureCdMute), (std::vector<int32_t>{0}));
    EXPECT_EQ(WritesTo(mux), muxWrites);

    const size_t writes = fake.Writes().size();
    for (const auto& [destination, connection] : {std::pair{2, -1}, {0, 2}, {0, -2}})
        EXPECT_FALSE(mixer.SetVolume(destination, connection, 1, 1, 1)) << destination << "," << connection;
    EXPECT_EQ(fake.Writes().size(), writes);
}

TEST_F(AudioMixerTest, SetMuteUsesTheLinesMuteElseTheDestinationsMux)
{
    TAudioMixer mixer;
    EXPECT_TRUE(mixer.SetMute(0, -1, true));
    EXPECT_EQ(fake.Values(a, playbackMute), (std::vector<int32_t>{1}));
    EXPECT_TRUE(mixer.SetMute(1, 0, true)); // its own mute, not the MUX
    EXPECT_EQ(fake.Values(a, captureLineMute), (std::vector<int32_t>{1}));
    EXPECT_EQ(fake.Values(a, mux), (std::vector<int32_t>{1, 0}));

    // Without a mute of its own: muting selects that item only, unmuting clears them all.
    EXPECT_TRUE(mixer.SetMute(1, 1, true));
    EXPECT_EQ(fake.Values(a, mux), (std::vector<int32_t>{0, 1}));
    EXPECT_TRUE(mixer.SetMute(1, 1, false));
    EXPECT_EQ(fake.Values(a, mux), (std::vector<int32_t>{0, 0}));

    // No mute and no MUX: nothing to write.
    const size_t writes = fake.Writes().size();
    EXPECT_FALSE(mixer.SetMute(0, 1, true));
    EXPECT_FALSE(mixer.SetMute(1, -1, true));
    EXPECT_FALSE(mixer.SetMute(0, 2, true));
    EXPECT_EQ(fake.Writes().size(), writes);
}

TEST_F(AudioMixerTest, ChangesReachTheGuiThreadFromTheOpenDeviceOnly)
{
    TAudioMixer mixer;
    QSignalSpy controls(&mixer, &TAudioMixer::OnControlChange);
    QSignalSpy lines(&mixer, &TAudioMixer::OnLineChange);
    QThread* deliveredOn = nullptr;
    QObject::connect(&mixer, &TAudioMixer::OnControlChange, &mixer,
                     [&](TAudioMixer*, quintptr, quint32) { deliveredOn = QThread::currentThread(); });

    std::thread other([&] {
        fake.RaiseControlChange(a, lineVolume);
        fake.RaiseLineChange(a, 42);
    });
    other.join();
    EXPECT_EQ(controls.count(), 0); // posted, not called on the raising thread
    QCoreApplication::processEvents();
    ASSERT_EQ(controls.count(), 1);
    EXPECT_EQ(deliveredOn, QThread::currentThread());
    EXPECT_EQ(controls[0][0].value<TAudioMixer*>(), &mixer);
    EXPECT_NE(controls[0][1].value<quintptr>(), 0u);
    EXPECT_EQ(controls[0][2].value<quint32>(), lineVolume);
    ASSERT_EQ(lines.count(), 1);
    EXPECT_EQ(lines[0][2].value<quint32>(), 42u);

    // A change still on its way when the device is opened anew belongs to the closed opening.
    fake.RaiseControlChange(a, lineVolume);
    mixer.SetMixerId(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(controls.count(), 1);
    fake.RaiseControlChange(a, lineVolume);
    QCoreApplication::processEvents();
    ASSERT_EQ(controls.count(), 2);
    EXPECT_NE(controls[1][1].value<quintptr>(), controls[0][1].value<quintptr>());
}

TEST_F(AudioMixerTest, DestinationsStayAsOpenedAfterALineChange)
{
    TAudioMixer mixer;
    QSignalSpy lines(&mixer, &TAudioMixer::OnLineChange);
    const uint32_t playback = mixer.Destinations().Item(0)->Data.lineId;
    fake.AddSource(a, playback, "Aux", MixerSourceAuxiliary);
    fake.RaiseLineChange(a, playback);
    QCoreApplication::processEvents();
    EXPECT_EQ(lines.count(), 1);
    EXPECT_EQ(mixer.Destinations().Item(0)->Connections.Count(), 2);
}

TEST_F(AudioMixerTest, APulledCardAnswersFalse)
{
    TAudioMixer mixer;
    fake.Unplug(a);
    TMixerVolume volume;
    EXPECT_FALSE(mixer.GetVolume(0, -1, volume));
    EXPECT_EQ(Describe(volume), Describe(TMixerVolume{}));
    EXPECT_FALSE(mixer.SetVolume(0, -1, 1, -1, 100));
    EXPECT_FALSE(mixer.SetMute(0, -1, true));
    EXPECT_FALSE(mixer.SetMute(1, 1, true));
    EXPECT_TRUE(fake.Writes().empty());
}

TEST(AudioMixerSoundCardTest, TheNullPcmGivesNoMixer)
{
    TAudioMixer mixer;
    EXPECT_EQ(mixer.MixerCount(), 0);
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(mixer.Destinations().Count(), 0);
    mixer.SetMixerId(0);
    EXPECT_EQ(mixer.MixerId(), -1);
    TMixerVolume volume;
    EXPECT_FALSE(mixer.GetVolume(0, -1, volume));
    EXPECT_FALSE(mixer.SetVolume(0, -1, 0, -1, 100));
    EXPECT_FALSE(mixer.SetMute(0, -1, true));
}
