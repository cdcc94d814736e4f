// The master volume, balance and mute on the mixer's speakers line, through the test back-end.
#include "shell/VolumeController.h"

#include "FakeMixer.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// One card: a recording destination first (never touched), then the speakers with a stereo volume,
// a second volume and two mutes (the first of each counts).
class VolumeControllerTest : public ::testing::Test {
protected:
    explicit VolumeControllerTest(uint32_t channels = 2)
    {
        const int card = fake.AddDevice("Card");
        const uint32_t capture = fake.AddDestination(card, "Capture", MixerLineWaveIn);
        captureVolume = fake.AddControl(card, capture, MixerControlVolume, {1000, 1000});
        const uint32_t speakers = fake.AddDestination(card, "Master", MixerLineSpeakers, channels);
        volume = fake.AddControl(card, speakers, MixerControlVolume, std::vector<int32_t>(channels, 20000));
        mute = fake.AddControl(card, speakers, MixerControlMute, {1});
        secondVolume = fake.AddControl(card, speakers, MixerControlVolume, std::vector<int32_t>(channels, 5));
        secondMute = fake.AddControl(card, speakers, MixerControlMute, {1});
    }

    std::vector<int32_t> Levels() const { return fake.Values(0, volume); }

    FakeMixer fake;
    uint32_t captureVolume = 0, volume = 0, mute = 0, secondVolume = 0, secondMute = 0;
};

class MonoVolumeControllerTest : public VolumeControllerTest {
protected:
    MonoVolumeControllerTest() : VolumeControllerTest(1) {}
};

} // namespace

TEST_F(VolumeControllerTest, CreatingItOpensAndWritesNothing)
{
    TssVolumeController controller;
    EXPECT_TRUE(fake.OpenAttempts().empty());
    EXPECT_TRUE(fake.Writes().empty());
}

TEST_F(VolumeControllerTest, VolumeAndBalanceBecomeTheTwoChannels)
{
    struct Case {
        int volume, balance;
        std::vector<int32_t> levels;
    };
    const Case cases[] = {
        {50, 0, {32767, 32767}},  {100, -40, {65535, 39321}}, {100, 40, {39321, 65535}}, {0, 0, {0, 0}},
        {100, 0, {65535, 65535}}, {10, -100, {6553, 0}},      {10, 100, {0, 6553}},      {1, 50, {327, 655}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.volume << " " << c.balance);
        TssVolumeController controller;
        controller.SetVolume(c.volume);
        controller.SetBalance(c.balance);
        EXPECT_EQ(Levels(), c.levels);
        EXPECT_EQ(controller.Volume(), c.volume);
        EXPECT_EQ(controller.Balance(), c.balance);
    }
    EXPECT_EQ(fake.Values(0, captureVolume), (std::vector<int32_t>{1000, 1000}));
    EXPECT_EQ(fake.Values(0, secondVolume), (std::vector<int32_t>{5, 5}));
}

// The read is rounded: every volume written reads back the same, so the start-up's read-back never
// walks the saved volume down; every balance survives at the quietest volumes too.
TEST(VolumeArithmeticTest, EveryVolumeAndBalanceRoundTrips)
{
    for (int volume = 0; volume <= 100; ++volume)
        EXPECT_EQ(TssVolumeController::VolumeOf(TssVolumeController::LevelsOf(volume, 0)), volume);
    for (int volume : {1, 10, 50, 100})
        for (int balance = -100; balance <= 100; ++balance) {
            const TssVolumeController::Levels levels = TssVolumeController::LevelsOf(volume, balance);
            EXPECT_EQ(TssVolumeController::VolumeOf(levels), volume) << volume << " " << balance;
            EXPECT_EQ(TssVolumeController::BalanceOf(levels), balance) << volume << " " << balance;
        }
    EXPECT_EQ(TssVolumeController::BalanceOf({0, 0}), 0);
    EXPECT_EQ(TssVolumeController::BalanceOf({300, 0}), 0); // below half a step: volume 0
}

TEST_F(VolumeControllerTest, ValuesOutOfRangeWriteNothing)
{
    TssVolumeController controller;
    controller.SetVolume(40);
    controller.SetBalance(20);
    const size_t writes = fake.Writes().size();
    controller.SetVolume(120);
    controller.SetVolume(-1);
    controller.SetBalance(150);
    controller.SetBalance(-101);
    EXPECT_EQ(fake.Writes().size(), writes);
    EXPECT_EQ(controller.Volume(), 40);
    EXPECT_EQ(controller.Balance(), 20);
}

TEST_F(VolumeControllerTest, VolumeZeroReadsBalanceZero)
{
    TssVolumeController controller;
    controller.SetBalance(-60);
    controller.SetVolume(0);
    EXPECT_EQ(Levels(), (std::vector<int32_t>{0, 0}));
    fake.SetValues(0, volume, {0, 0}); // the same levels, now set elsewhere as well
    EXPECT_EQ(controller.Volume(), 0);
    fake.SetValues(0, volume, {0, 1});
    EXPECT_EQ(controller.Balance(), 0);
}

// A change made with the desktop's volume control is read as the two channels say.
TEST_F(VolumeControllerTest, AChangeMadeElsewhereIsRead)
{
    TssVolumeController controller;
    controller.SetVolume(30);
    controller.SetBalance(10);
    fake.SetValues(0, volume, {65535, 32767});
    EXPECT_EQ(controller.Volume(), 100);
    EXPECT_EQ(controller.Balance(), -50);
    controller.SetVolume(80); // written with the balance read
    EXPECT_EQ(Levels(), (std::vector<int32_t>{52428, 26214}));
}

TEST_F(VolumeControllerTest, MuteIsReadWithoutWritingAndWrittenWhenSet)
{
    TssVolumeController controller;
    controller.ReadMute();
    EXPECT_TRUE(controller.Mute());
    EXPECT_TRUE(fake.Writes().empty());
    controller.SetMute(false);
    EXPECT_EQ(fake.Values(0, mute), std::vector<int32_t>{0});
    EXPECT_EQ(fake.Values(0, secondMute), std::vector<int32_t>{1});
    controller.SetMute(true);
    EXPECT_EQ(fake.Values(0, mute), std::vector<int32_t>{1});
}

// A card with 32 steps cannot hold 10 exactly; what was written reads back as written as long as the
// card still holds what that write left, and a change elsewhere is still seen.
TEST_F(VolumeControllerTest, ACoarseControlKeepsTheValuesWritten)
{
    fake.SetNativeRange(0, volume, 0, 31);
    TssVolumeController controller;
    controller.SetVolume(10);
    controller.SetBalance(40);
    EXPECT_EQ(Levels(), (std::vector<int32_t>{4228, 6342})); // 2 and 3 of 31
    EXPECT_EQ(controller.Volume(), 10);
    EXPECT_EQ(controller.Balance(), 40);
    fake.SetValues(0, volume, {65535, 65535});
    EXPECT_EQ(controller.Volume(), 100);
    EXPECT_EQ(controller.Balance(), 0);
}

TEST_F(MonoVolumeControllerTest, OneChannelTakesTheLouderSideAndKeepsTheBalanceWritten)
{
    TssVolumeController controller;
    controller.SetVolume(50);
    controller.SetBalance(-40);
    EXPECT_EQ(Levels(), std::vector<int32_t>{32767});
    EXPECT_EQ(controller.Volume(), 50);
    EXPECT_EQ(controller.Balance(), -40);
}

TEST(VolumeControllerNoMixerTest, WritesNothingAndReadsTheStoredValues)
{
    FakeMixer none; // no device at all
    TssVolumeController controller;
    controller.SetVolume(10);
    controller.SetBalance(40);
    controller.SetMute(true);
    controller.ReadMute();
    EXPECT_EQ(controller.Volume(), 10);
    EXPECT_EQ(controller.Balance(), 40);
    EXPECT_TRUE(controller.Mute());
    EXPECT_TRUE(none.Writes().empty());
}

TEST(VolumeControllerNoMixerTest, ACardWithoutSpeakersOrVolumeIsLeftAlone)
{
    for (const bool speakers : {false, true}) {
        SCOPED_TRACE(speakers);
        FakeMixer fake;
        const int card = fake.AddDevice("Card");
        const uint32_t line =
            fake.AddDestination(card, "Line", speakers ? MixerLineSpeakers : MixerLineWaveIn);
        // A recording line's volume, or speakers with a mute and no volume.
        fake.AddControl(card, line, speakers ? MixerControlMute : MixerControlVolume,
                        speakers ? std::vector<int32_t>{0} : std::vector<int32_t>{7, 7});
        TssVolumeController controller;
        controller.SetVolume(70);
        controller.SetBalance(-20);
        EXPECT_EQ(controller.Volume(), 70);
        EXPECT_EQ(controller.Balance(), -20);
        EXPECT_TRUE(fake.Writes().empty());
    }
}
