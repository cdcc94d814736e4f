// The pre-listen window over its player: its controls as designed, the first showing, and the bar
// that seeks only when the user moves it.
#include "CUEFixture.h"
#include "platform/Messages.h"
#include "playout/CUEPlayer.h"
#include "playout/ThreadedTimer.h"

#include <QCoreApplication>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

namespace {

class CUEPlayerWindowTest : public CUEFixture {
protected:
    TFCUEPlayer window;

    void Advance(int64_t frames)
    {
        CUEFixture::Advance(window.Playback(), frames);
        QCoreApplication::sendPostedEvents(&window, 0);
    }
};

} // namespace

TEST_F(CUEPlayerWindowTest, ControlsAsDesigned)
{
    EXPECT_EQ(window.objectName(), "FCUEPlayer");
    EXPECT_EQ(window.windowTitle(), "CUE Player");
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(platform::FindWindow("TFCUEPlayer"), &window);

    EXPECT_EQ(window.SB->objectName(), "SB");
    EXPECT_EQ(window.SB->currentMessage(), "CUE Player");
    EXPECT_EQ(window.SB->toolTip(), "Stop");
    struct Button {
        QToolButton* button;
        const char* name;
        const char* hint;
    };
    for (const Button& b :
         {Button{window.SBStop, "SBStop", "Stop"}, Button{window.SBReload, "SBReload", "Restart"}}) {
        EXPECT_EQ(b.button->objectName(), b.name);
        EXPECT_EQ(b.button->toolTip(), b.hint);
        EXPECT_TRUE(b.button->autoRaise());
    }
    EXPECT_EQ(window.VolumeCtrl->objectName(), "VolumeCtrl");
    EXPECT_EQ(window.VolumeCtrl->minimum(), 0);
    EXPECT_EQ(window.VolumeCtrl->maximum(), 100);
    EXPECT_EQ(window.VolumeCtrl->tickInterval(), 10);
    EXPECT_EQ(window.VolumeCtrl->value(), 50);
    EXPECT_EQ(window.TB->objectName(), "TB");
    EXPECT_EQ(window.TB->minimum(), 1);
    EXPECT_EQ(window.TB->maximum(), 100);
    EXPECT_EQ(window.TB->value(), 1);
    EXPECT_EQ(window.TSong->objectName(), "TSong");
    EXPECT_EQ(window.TSong->Interval(), 500u);
    EXPECT_TRUE(window.TSong->Enabled());
}

TEST_F(CUEPlayerWindowTest, PlayFileShowsTheWindowAndOnlyTheUsersMovesSeek)
{
    StationOptions.ChannelVolume[CueSlot] = 80;
    window.PlayFile(ConstantWav("ten.wav", 10, 1, 0.5));
    EXPECT_TRUE(window.isVisible());
    // The first showing took the saved cue volume before the file started.
    EXPECT_EQ(window.VolumeCtrl->value(), 80);
    EXPECT_EQ(window.Playback().SavedVolume(), 80);
    EXPECT_EQ(window.SB->currentMessage(), "ten.wav");
    Advance(5 * Second);
    EXPECT_NEAR(LastLevel(1), 0.4, 1e-5);

    window.TSong->OnTimer(window.TSong);
    EXPECT_EQ(window.TB->value(), 50);
    EXPECT_DOUBLE_EQ(CuePosition(), 5.0);
    window.TB->setValue(25);
    EXPECT_DOUBLE_EQ(CuePosition(), 2.5);

    window.VolumeCtrl->setValue(40);
    Advance(Block);
    EXPECT_NEAR(LastLevel(1), 0.2, 1e-5);
    window.SetMuted(true);
    EXPECT_EQ(window.VolumeCtrl->value(), 0);
    Advance(Block);
    EXPECT_EQ(LastLevel(1), 0.0f);
    window.SetMuted(false);
    EXPECT_EQ(window.VolumeCtrl->value(), 40);
}

TEST_F(CUEPlayerWindowTest, StopRestartCloseAndTheEndMessage)
{
    window.PlayFile(ConstantWav("a.wav", 6, 1, 0.5));
    Advance(Second);
    window.TSong->OnTimer(window.TSong);
    ASSERT_EQ(window.TB->value(), 16);

    window.SBStop->click();
    EXPECT_FALSE(ChannelIsActive(CueSlot));
    EXPECT_EQ(window.SB->currentMessage(), "");
    EXPECT_EQ(window.TB->value(), 1);

    window.SBReload->click();
    EXPECT_TRUE(ChannelIsPlaying(CueSlot));
    EXPECT_EQ(CuePosition(), 0.0);
    EXPECT_EQ(window.SB->currentMessage(), "a.wav");

    // The end message as other code posts it to the window: only the current stream's counts.
    platform::PostMessage(&window, platform::WM_CUEEND, ChannelStream(CueSlot) + 1);
    QCoreApplication::sendPostedEvents(&window, 0);
    EXPECT_TRUE(ChannelIsPlaying(CueSlot));
    platform::PostMessage(&window, platform::WM_CUEEND, ChannelStream(CueSlot));
    QCoreApplication::sendPostedEvents(&window, 0);
    EXPECT_FALSE(ChannelIsActive(CueSlot));
    EXPECT_EQ(window.SB->currentMessage(), "");

    window.SBReload->click();
    ASSERT_TRUE(ChannelIsPlaying(CueSlot));
    window.close();
    EXPECT_FALSE(ChannelIsActive(CueSlot));
    EXPECT_FALSE(window.isVisible());
}
