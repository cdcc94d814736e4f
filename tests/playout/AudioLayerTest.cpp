#include "AudioLayerFixture.h"
#include "TempFolder.h"
#include "WavWriter.h"

#include "audiolib/AudioLib.h"
#include "playout/AudioLayer.h"
#include "playout/DeviceTables.h"
#include "playout/MediaSetup.h"

#include <QFile>

namespace {

constexpr int Slot = 1;

// A silent stream of device 0 put on air in the slot.
audiolib::Handle PutSilentStream(int slot, int rate = 44100)
{
    const audiolib::Handle stream =
        audiolib::StreamCreate(rate, 2, audiolib::SampleFloat | audiolib::StreamAutoFree, nullptr, nullptr);
    Channels[slot].PutOnAir(stream);
    return stream;
}

void IgnoreSync(audiolib::Handle, audiolib::Handle, uint32_t, void*) {}

QString WriteSine(const TempFolder& folder, const QString& name, int64_t frames)
{
    const QString path = folder.File(name);
    testing_support::WriteWav(path, {}, frames, testing_support::Sine(440.0, 0.5, 44100));
    return path;
}

} // namespace

using AudioLayerTest = AudioLayerFixture;

TEST_F(AudioLayerTest, SpeedStepsSetTheFrequency)
{
    ASSERT_NE(PutSilentStream(Slot), 0u);
    struct Case {
        float step;
        int frequency;
    };
    for (const Case& c :
         {Case{60, 70560}, Case{-60, 17640}, Case{0, 44100}, Case{-200, 100}, Case{200, 100000}}) {
        EXPECT_TRUE(ChannelSetSpeed(Slot, c.step));
        int frequency = 0;
        ASSERT_TRUE(audiolib::ChannelGetAttributes(ChannelStream(Slot), &frequency, nullptr, nullptr));
        EXPECT_EQ(frequency, c.frequency) << "step " << c.step;
    }
}

TEST_F(AudioLayerTest, SpeedStepsScaleTheStreamsOwnRate)
{
    ASSERT_NE(PutSilentStream(Slot, 48000), 0u);
    for (const auto& [step, expected] : {std::pair{0.0f, 48000}, std::pair{10.0f, 52800}}) {
        EXPECT_TRUE(ChannelSetSpeed(Slot, step));
        int frequency = 0;
        ASSERT_TRUE(audiolib::ChannelGetAttributes(ChannelStream(Slot), &frequency, nullptr, nullptr));
        EXPECT_EQ(frequency, expected) << "step " << step;
    }
}

TEST_F(AudioLayerTest, VolumeClampsAboveHundredAndPassesNegativesOn)
{
    ASSERT_NE(PutSilentStream(Slot), 0u);
    struct Case {
        int volume;
        float applied;
    };
    // -1 leaves the volume as it was.
    for (const Case& c : {Case{40, 40}, Case{150, 100}, Case{30, 30}, Case{-1, 30}}) {
        EXPECT_TRUE(ChannelSetVolume(Slot, c.volume));
        float volume = -5;
        ASSERT_TRUE(audiolib::ChannelGetAttributes(ChannelStream(Slot), nullptr, &volume, nullptr));
        EXPECT_FLOAT_EQ(volume, c.applied) << "volume " << c.volume;
    }
}

TEST_F(AudioLayerTest, RemoveSyncBothTriesTheSecondHandleAfterTheFirstFails)
{
    Channels[Slot].SetItemIndex(0);
    ASSERT_NE(PutSilentStream(Slot), 0u);
    const audiolib::Handle sync = ChannelSetSync(Slot, SyncEndOfStream, 0, IgnoreSync, nullptr);
    ASSERT_NE(sync, 0u);

    EXPECT_FALSE(ChannelRemoveSyncBoth(Slot, sync)); // StreamA is 0
    EXPECT_FALSE(ChannelRemoveSync(Slot, sync)) << "the sync on StreamB should be gone";
}

TEST_F(AudioLayerTest, PlayFileThenAnUnreadableFileOnTheSameHandle)
{
    TempFolder folder;
    const QString wav = WriteSine(folder, "tone.wav", 44100 * 5 / 2); // 2.5 s
    Channels[Slot].SetItemIndex(2);                                   // Device empty: no card, so "No sound"

    int length = -1;
    QString error = "stale";
    ASSERT_TRUE(ChannelPlayFile(Slot, wav, length, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(length, 2);
    EXPECT_EQ(ChannelLength(Slot), int64_t{44100 * 5 / 2} * 4);
    EXPECT_TRUE(ChannelIsPlaying(Slot));
    const audiolib::Handle first = Channels[Slot].StreamB();
    EXPECT_EQ(ChannelStream(Slot), first);

    ASSERT_TRUE(audiolib::NullAdvance(44100 + 100));
    EXPECT_EQ(ChannelPositionSeconds(Slot), 1);
    EXPECT_TRUE(ChannelSetPositionFraction(Slot, 0.9));
    EXPECT_EQ(ChannelPositionSeconds(Slot), 2); // 2.25 s

    const QString garbage = folder.File("garbage.mp3");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\x5a'));
    file.close();

    length = -1;
    EXPECT_FALSE(ChannelPlayFile(Slot, garbage, length, error));
    EXPECT_EQ(error, "Can not play the file");
    EXPECT_EQ(audiolib::ChannelIsActive(first), audiolib::ActiveStopped);
    EXPECT_EQ(Channels[Slot].StreamB(), 0u);
    EXPECT_FALSE(ChannelIsActive(Slot));
    EXPECT_EQ(length, -1);
}

TEST_F(AudioLayerTest, PlayFileOnADeviceNotInitialised)
{
    TempFolder folder;
    const QString wav = WriteSine(folder, "tone.wav", 4410);
    Channels[Slot].SetItemIndex(1);
    Channels[Slot].PutOnAir(4242); // a stale handle stays where it was
    ASSERT_TRUE(audiolib::SetDevice(0));
    ASSERT_TRUE(audiolib::Free());

    int length = -1;
    QString error;
    EXPECT_FALSE(ChannelPlayFile(Slot, wav, length, error));
    EXPECT_EQ(error, "Can not set output device");
    EXPECT_EQ(Channels[Slot].StreamA(), 4242u);
    Channels[Slot] = TChannel{};
}

TEST_F(AudioLayerTest, SlotsPlayOnTheirDevicesByName)
{
    OutputDevices[1] = TDevice{"Card", "Card", 0, 0, {}}; // listed, never initialised
    TempFolder folder;
    const QString wav = WriteSine(folder, "tone.wav", 4410);
    struct Case {
        QString device;
        bool plays;
    };
    // An empty or unknown name means device 1; only "No sound" is initialised here.
    for (const Case& c :
         {Case{"No sound", true}, Case{"", false}, Case{"Other", false}, Case{"Card", false}}) {
        Channels[Slot].Device = c.device;
        int length = 0;
        QString error;
        EXPECT_EQ(ChannelPlayFile(Slot, wav, length, error), c.plays) << c.device.toStdString();
        EXPECT_EQ(error.isEmpty(), c.plays) << c.device.toStdString();
    }
}

TEST_F(AudioLayerTest, FreeMediaReleasesTheDevicesOfTheSlots)
{
    TempFolder folder;
    const QString wav = WriteSine(folder, "tone.wav", 4410);
    Channels[2].Device = "No sound";
    int length = 0;
    QString error;
    ASSERT_TRUE(ChannelPlayFile(2, wav, length, error));
    ASSERT_TRUE(ChannelPlayFile(3, wav, length, error)); // empty name: no card, so "No sound" too

    FreeMedia();
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    EXPECT_FALSE(audiolib::SetDevice(0));
    EXPECT_EQ(audiolib::ErrorGetCode(), audiolib::ErrorInit);
}
