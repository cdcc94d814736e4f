// Switching a channel's line-in and microphone inputs on the mixer named like its device.
#include "playout/MixerSource.h"

#include "FakeMixer.h"
#include "playout/AudioMixer.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Three cards: A has only a playback destination with a PCM source, B has line and microphone
// sources (and a line input on its capture side that must never be touched), C has a microphone.
class MixerSourceTest : public ::testing::Test {
protected:
    MixerSourceTest()
    {
        const int a = fake.AddDevice("Card A");
        fake.AddSource(a, fake.AddDestination(a, "Playback", MixerLineSpeakers), "PCM", MixerSourceWaveOut);

        const int b = fake.AddDevice("Card B");
        const uint32_t playback = fake.AddDestination(b, "Playback", MixerLineSpeakers);
        fake.AddSource(b, playback, "PCM", MixerSourceWaveOut);
        bMic = fake.AddControl(b, fake.AddSource(b, playback, "Mic", MixerSourceMicrophone), MixerControlMute,
                               {1});
        bLine =
            fake.AddControl(b, fake.AddSource(b, playback, "Line", MixerSourceLine), MixerControlMute, {1});
        fake.AddSource(b, playback, "Line", MixerSourceLine); // only the first line counts
        const uint32_t capture = fake.AddDestination(b, "Capture", MixerLineWaveIn);
        bCaptureLine =
            fake.AddControl(b, fake.AddSource(b, capture, "Line", MixerSourceLine), MixerControlMute, {1});

        const int c = fake.AddDevice("Card C");
        cMic = fake.AddControl(c,
                               fake.AddSource(c, fake.AddDestination(c, "Playback", MixerLineSpeakers), "Mic",
                                              MixerSourceMicrophone),
                               MixerControlMute, {1});
    }

    FakeMixer fake;
    uint32_t bMic = 0, bLine = 0, bCaptureLine = 0, cMic = 0;
};

} // namespace

TEST_F(MixerSourceTest, TheDevicesMixerSwitchesItsFirstSourceOfTheKind)
{
    TAudioMixer mixer;
    EXPECT_TRUE(EnableMixerSource(mixer, MixerSourceKind::Line, "Card B", true));
    EXPECT_EQ(mixer.MixerId(), 1);
    EXPECT_EQ(fake.Values(1, bLine), (std::vector<int32_t>{0}));
    EXPECT_TRUE(EnableMixerSource(mixer, MixerSourceKind::Microphone, "Card B", true));
    EXPECT_EQ(fake.Values(1, bMic), (std::vector<int32_t>{0}));
    EXPECT_TRUE(EnableMixerSource(mixer, MixerSourceKind::Line, "Card B", false));
    EXPECT_EQ(fake.Values(1, bLine), (std::vector<int32_t>{1}));
    EXPECT_EQ(fake.Values(1, bMic), (std::vector<int32_t>{0}));
    EXPECT_EQ(fake.Values(1, bCaptureLine), (std::vector<int32_t>{1}));
    EXPECT_EQ(fake.Writes().size(), 3u);
}

TEST_F(MixerSourceTest, AnUnknownNameTakesTheLastMixerAndAMissingSourceSwitchesNothing)
{
    TAudioMixer mixer;
    EXPECT_TRUE(EnableMixerSource(mixer, MixerSourceKind::Microphone, "Elsewhere", true));
    EXPECT_EQ(mixer.MixerId(), 2);
    EXPECT_EQ(fake.Values(2, cMic), (std::vector<int32_t>{0}));
    EXPECT_FALSE(EnableMixerSource(mixer, MixerSourceKind::Line, "Elsewhere", true));
    EXPECT_FALSE(EnableMixerSource(mixer, MixerSourceKind::Line, "Card A", true));
    EXPECT_EQ(mixer.MixerId(), 0);
    EXPECT_EQ(fake.Writes().size(), 1u);
}

TEST(MixerSourceNoMixerTest, NoMixerSwitchesNothing)
{
    TAudioMixer mixer; // the tests' "null" PCM has no mixer
    EXPECT_FALSE(EnableMixerSource(mixer, MixerSourceKind::Line, "null", true));
    EXPECT_EQ(mixer.MixerId(), -1);
}
