// Channel 1's line-in and microphone buttons on the card's mixer, and the inputs it leaves closed at
// its set-up and its end.
#include "FakeMixer.h"
#include "QueueFixture.h"
#include "controls/LbSpeedButton.h"
#include "playout/AudioLayer.h"
#include "playout/Channel1.h"
#include "playout/DeviceTables.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {
class Channel1InputsTest : public QueueFixture {};
} // namespace

TEST_F(Channel1InputsTest, ButtonsOpenTheCardsInputsAndTheSetUpAndTheEndCloseThem)
{
    FakeMixer fake;
    const int card = fake.AddDevice(GetDeviceName(OutputDevices, SlotDeviceIndex(1)));
    const uint32_t speakers = fake.AddDestination(card, "Playback", MixerLineSpeakers);
    const uint32_t line =
        fake.AddControl(card, fake.AddSource(card, speakers, "Line", MixerSourceLine), MixerControlMute, {0});
    const uint32_t mic = fake.AddControl(card, fake.AddSource(card, speakers, "Mic", MixerSourceMicrophone),
                                         MixerControlMute, {0});
    const auto muted = [&](uint32_t control) { return fake.Values(card, control).at(0); };

    auto window = std::make_unique<TFChannel1>();
    window->DoFirstShow();
    // Left open by whatever ran before: the set-up closes both.
    EXPECT_EQ(muted(line), 1);
    EXPECT_EQ(muted(mic), 1);
    EXPECT_FALSE(window->BLinein->Down());

    QTest::mouseClick(window->BLinein, Qt::LeftButton);
    EXPECT_TRUE(window->BLinein->Down());
    EXPECT_TRUE(window->LineIn().LineInDown());
    EXPECT_EQ(muted(line), 0);
    EXPECT_TRUE(window->Queue().Paused);
    QTest::mouseClick(window->BLinein, Qt::LeftButton);
    EXPECT_FALSE(window->BLinein->Down());
    EXPECT_EQ(muted(line), 1);
    EXPECT_FALSE(window->Queue().Paused);

    QTest::mouseClick(window->BMic, Qt::LeftButton);
    EXPECT_TRUE(window->LineIn().MicDown());
    EXPECT_EQ(muted(mic), 0);

    // Both open when the window goes: it leaves them closed.
    QTest::mouseClick(window->BLinein, Qt::LeftButton);
    EXPECT_EQ(muted(line), 0);
    window.reset();
    EXPECT_EQ(muted(line), 1);
    EXPECT_EQ(muted(mic), 1);
}
