// The pre-listen player on slot 4: files replacing each other on one handle, its end, restart, bad
// input, volume and mute, the position bar, and its independence from channel 1.
#include "playout/CUEPlayback.h"
#include "CUEFixture.h"
#include "DialogAnswerer.h"
#include "FakeDevices.h"
#include "audiolib/AudioLib.h"
#include "platform/Messages.h"
#include "playout/DeviceTables.h"

#include <QFile>

namespace {

class CUEPlaybackTest : public CUEFixture {
protected:
    TCUEPlayback cue;
    int ends = 0;  // WM_CUEEND delivered
    int shown = 0; // requests to show the window

    CUEPlaybackTest()
    {
        new MessageCounter(ends, &cue, platform::WM_CUEEND);
        QObject::connect(&cue, &TCUEPlayback::ShowRequested, [this] { ++shown; });
    }
    void SetUp() override
    {
        CUEFixture::SetUp();
        cue.SetUp();
    }

    void Advance(int64_t frames) { CUEFixture::Advance(cue, frames); }
};

} // namespace

TEST_F(CUEPlaybackTest, ANewFileReplacesThePlayingOneOnTheSameHandle)
{
    const QString a = ConstantWav("a.wav", 6, 1, 0.25);
    const QString b = ConstantWav("b.wav", 6, 1, 0.5);
    cue.PlayFile(a);
    Advance(Second);
    const audiolib::Handle first = ChannelStream(CueSlot);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(first, Channels[CueSlot].StreamB());
    EXPECT_FLOAT_EQ(LastLevel(1), 0.25f);

    cue.PlayFile(b);
    const audiolib::Handle second = ChannelStream(CueSlot);
    EXPECT_NE(second, first);
    EXPECT_EQ(second, Channels[CueSlot].StreamB());
    EXPECT_EQ(audiolib::ChannelIsActive(first), audiolib::ActiveStopped);
    EXPECT_EQ(audiolib::LiveStreamCount(), 1);
    EXPECT_EQ(cue.StatusText(), "b.wav");
    EXPECT_EQ(cue.LastFile(), b);
    EXPECT_EQ(cue.LengthSec(), 6);
    EXPECT_EQ(shown, 2);
    Advance(Block);
    EXPECT_FLOAT_EQ(LastLevel(1), 0.5f);
    EXPECT_FLOAT_EQ(LastLevel(0), 0.0f);
}

TEST_F(CUEPlaybackTest, TheEndStopsThePlayerAtTheFilesLastFrame)
{
    struct Case {
        int64_t frames;
        int positionBeforeEnd; // after a tick at half the file
    };
    // The second file is 100 frames: under a second, so the tick leaves the bar alone.
    for (const Case& c : {Case{2 * Second, 50}, Case{100, 1}}) {
        SCOPED_TRACE(c.frames);
        const int before = ends;
        const QString file = FramesWav("end.wav", c.frames, 1, 0.5);
        cue.PlayFile(file);
        Advance(c.frames / 2);
        cue.PositionTick();
        EXPECT_EQ(cue.Position(), c.positionBeforeEnd);
        Advance(c.frames / 2 - 1);
        EXPECT_EQ(ends, before);
        EXPECT_EQ(cue.StatusText(), "end.wav");
        EXPECT_FLOAT_EQ(LastLevel(1), 0.5f);

        Advance(1);
        EXPECT_EQ(ends, before + 1);
        EXPECT_EQ(cue.StatusText(), "");
        EXPECT_EQ(cue.Position(), 1);
        EXPECT_FALSE(ChannelIsActive(CueSlot));
        EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    }
}

TEST_F(CUEPlaybackTest, AnEndThatArrivesAfterTheNextFileStartedLeavesItPlaying)
{
    const QString a = ConstantWav("a.wav", 1, 1, 0.25);
    const QString b = ConstantWav("b.wav", 6, 1, 0.5);
    cue.PlayFile(a);
    // a.wav ends; its message waits while the operator sends the next file.
    ASSERT_TRUE(audiolib::NullAdvance(Second));
    audiolib::NullCapture();
    cue.PlayFile(b);
    Advance(Block);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(ChannelIsPlaying(CueSlot));
    EXPECT_EQ(cue.StatusText(), "b.wav");
    EXPECT_FLOAT_EQ(LastLevel(1), 0.5f);
}

TEST_F(CUEPlaybackTest, RestartPlaysTheLastFileFromItsStart)
{
    ScriptedDialogAnswerer dialogs;
    cue.Restart();
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    EXPECT_EQ(cue.StatusText(), "");
    EXPECT_EQ(shown, 0);

    const QString a = ConstantWav("a.wav", 1, 1, 0.25);
    cue.PlayFile(a);
    Advance(Second);
    ASSERT_EQ(ends, 1);
    ASSERT_FALSE(ChannelIsActive(CueSlot));

    cue.Restart();
    EXPECT_TRUE(ChannelIsPlaying(CueSlot));
    EXPECT_EQ(CuePosition(), 0.0);
    EXPECT_EQ(cue.StatusText(), "a.wav");
    // The whole second plays again.
    Advance(Second - 1);
    EXPECT_EQ(ends, 1);
    EXPECT_FLOAT_EQ(LastLevel(1), 0.25f);
    Advance(1);
    EXPECT_EQ(ends, 2);
}

TEST_F(CUEPlaybackTest, AMissingFileStopsSilentlyAndAnUnreadableOneShowsTheBox)
{
    ScriptedDialogAnswerer dialogs;
    cue.PlayFile(ConstantWav("a.wav", 6, 1, 0.25));
    cue.PlayFile(File("missing.wav"));
    EXPECT_TRUE(dialogs.Shown().isEmpty());
    EXPECT_FALSE(ChannelIsActive(CueSlot));
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    EXPECT_EQ(cue.StatusText(), "");
    EXPECT_EQ(shown, 1);
    Advance(Block);
    EXPECT_FLOAT_EQ(LastLevel(1), 0.0f);

    const QString bad = File("bad.wav");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF this is no wave at all");
    file.close();
    dialogs.ExpectButton(QMessageBox::Ok);
    cue.PlayFile(bad);
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, "Error opening theme. BAD theme? \"" + bad + "\"");
    EXPECT_EQ(cue.StatusText(), "bad.wav");
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    EXPECT_EQ(cue.LastFile(), bad);
}

TEST_F(CUEPlaybackTest, MuteKeepsTheVolumeToRestore)
{
    cue.SetVolume(70);
    cue.PlayFile(ConstantWav("a.wav", 6, 1, 0.5));
    Advance(Block);
    EXPECT_NEAR(LastLevel(1), 0.35, 1e-5);

    cue.SetMuted(true);
    EXPECT_EQ(cue.Volume(), 0);
    EXPECT_EQ(cue.SavedVolume(), 70);
    Advance(Block);
    EXPECT_EQ(LastLevel(1), 0.0f);

    cue.SetMuted(false);
    EXPECT_EQ(cue.Volume(), 70);
    EXPECT_EQ(cue.SavedVolume(), 0);
    Advance(Block);
    EXPECT_NEAR(LastLevel(1), 0.35, 1e-5);

    // Muted twice, the second keeps the 0 the first left.
    cue.SetMuted(true);
    cue.SetMuted(true);
    EXPECT_EQ(cue.SavedVolume(), 0);
    cue.SetMuted(false);
    EXPECT_EQ(cue.Volume(), 0);
}

TEST_F(CUEPlaybackTest, TheTickFollowsTheFileAndAMoveSeeks)
{
    cue.PlayFile(ConstantWav("ten.wav", 10, 1, 0.5));
    Advance(5 * Second);
    cue.PositionTick();
    EXPECT_EQ(cue.Position(), 50);
    EXPECT_DOUBLE_EQ(CuePosition(), 5.0);

    cue.Seek(25);
    EXPECT_DOUBLE_EQ(CuePosition(), 2.5);
    EXPECT_EQ(cue.Position(), 25);

    // Under a second: no whole second to divide by, the bar stays where the user put it.
    cue.PlayFile(FramesWav("half.wav", Second / 2, 1, 0.5));
    EXPECT_EQ(cue.LengthSec(), 0);
    cue.Seek(30);
    Advance(Second / 10);
    cue.PositionTick();
    EXPECT_EQ(cue.Position(), 30);
}

TEST_F(CUEPlaybackTest, ChannelOneAndThePreListenPlayerAreIndependent)
{
    queue.AddItem(ConstantWav("left.wav", 6, 0, 0.25), 1);
    const QString right = ConstantWav("right.wav", 6, 1, 0.5);
    playback.PlayItemAt(0);
    Deliver();
    cue.PlayFile(right);
    // Past channel 1's 2 s fade-in, at its volume of 80.
    Advance(3 * Second);
    EXPECT_NEAR(LastLevel(0), 0.2, 1e-5);
    EXPECT_FLOAT_EQ(LastLevel(1), 0.5f);

    cue.StopPlayer();
    Advance(Block);
    EXPECT_NEAR(LastLevel(0), 0.2, 1e-5);
    EXPECT_EQ(LastLevel(1), 0.0f);
    EXPECT_TRUE(ChannelIsPlaying(1));

    cue.PlayFile(right);
    playback.StopAll();
    Advance(Block);
    EXPECT_EQ(LastLevel(0), 0.0f);
    EXPECT_FLOAT_EQ(LastLevel(1), 0.5f);
    EXPECT_TRUE(ChannelIsPlaying(CueSlot));
}

TEST_F(CUEPlaybackTest, ADeviceThatCannotStartShowsTheMediaError)
{
    FakeDevices refusing;
    refusing.failInit = 1;
    DeviceSystem* const previous = InstallDeviceSystem(&refusing);
    OutputDevices[1] = TDevice{"Desc 1", "Card 1", 0, CapsFloat, {}};
    Channels[CueSlot].Device = "Card 1";
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    EXPECT_FALSE(cue.InitOutputDevice());
    InstallDeviceSystem(previous);
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Media Error");
    EXPECT_EQ(dialogs.Shown()[0].text, "Can not initialize device \"Card 1\"\n\nError Code: 23 ERROR_DEVICE");
}
