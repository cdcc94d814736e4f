// Channel 1's window reaches the effects window: its "Fx" button shows it, and each entry it starts
// gets the effects.
#include "DialogAnswerer.h"
#include "QueueFixture.h"
#include "controls/LbButton.h"
#include "playout/Channel1.h"
#include "playout/FX.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>

TEST_F(QueueFixture, ChannelFxButtonShowsTheEffectsWindowAndEachEntryGetsItsEffects)
{
    ScriptedDialogAnswerer dialogs;
    TFChannel1 channel;
    TFFX effects;
    FFX = &effects;
    effects.CBEcho->setChecked(true);
    channel.show(); // a hidden button does not click

    channel.BFx->Click();
    EXPECT_TRUE(effects.isVisible());
    EXPECT_TRUE(effects.Effects().FXShown);
    EXPECT_EQ(effects.LChannel->text(), "Channel 1");

    ASSERT_EQ(channel.AddItem(Wav(QStringLiteral("a.wav"), 3), 1), 0);
    channel.PlayItemAt(0);
    QCoreApplication::sendPostedEvents(&channel.Playback(), 0);
    ASSERT_NE(ChannelStream(1), 0u);
    EXPECT_EQ(effects.Effects().AttachedTo(ChannelStream(1), TSampleEffect::Echo), 1);
    channel.Playback().NextEntry().Drop();
    channel.Playback().NextEntry().WaitIdle();
    FFX = nullptr;
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}
