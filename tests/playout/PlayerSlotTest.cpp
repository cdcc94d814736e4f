#include "AudioLayerFixture.h"

#include "audiolib/AudioLib.h"
#include "playout/AudioLayer.h"

namespace {

audiolib::Handle PlayingStream()
{
    const audiolib::Handle stream =
        audiolib::StreamCreate(44100, 2, audiolib::SampleFloat | audiolib::StreamAutoFree, nullptr, nullptr);
    EXPECT_TRUE(audiolib::ChannelPlay(stream, false));
    return stream;
}

// The entry at `index` starts as the channel starts one: the entry on air hands over first.
audiolib::Handle StartEntry(TChannel& slot, int index)
{
    slot.ReleaseAir();
    slot.SetItemIndex(index);
    const audiolib::Handle stream = PlayingStream();
    slot.PutOnAir(stream);
    return stream;
}

bool Alive(audiolib::Handle stream)
{
    return audiolib::ChannelIsActive(stream) != audiolib::ActiveStopped;
}

using PlayerSlotTest = AudioLayerFixture;

} // namespace

TEST_F(PlayerSlotTest, ConsecutiveEntriesAlternateAndOverlap)
{
    TChannel slot;
    EXPECT_EQ(slot.ItemIndex(), -1);
    const audiolib::Handle first = StartEntry(slot, 0);
    EXPECT_EQ(slot.StreamB(), first);
    const audiolib::Handle second = StartEntry(slot, 1);
    EXPECT_EQ(slot.StreamA(), second);
    EXPECT_EQ(slot.OnAir(), second);
    EXPECT_TRUE(Alive(first)) << "the entry before fades out beside the next one";
    // Entry 2 takes StreamB again, in place of the first entry, which is freed.
    const audiolib::Handle third = StartEntry(slot, 2);
    EXPECT_EQ(slot.StreamB(), third);
    EXPECT_FALSE(Alive(first));
    EXPECT_TRUE(Alive(second));
    slot.StopBoth();
}

// The queue changes around the current entry: its stream stays on air and moves to the handle the
// new index selects, so the next entry still alternates.
TEST_F(PlayerSlotTest, TheStreamOnAirFollowsTheIndex)
{
    TChannel slot;
    StartEntry(slot, 2);
    const audiolib::Handle playing = StartEntry(slot, 3);
    ASSERT_EQ(slot.StreamA(), playing);
    slot.SetItemIndex(4);
    EXPECT_EQ(slot.OnAir(), playing);
    EXPECT_EQ(slot.StreamB(), playing);
    const audiolib::Handle next = StartEntry(slot, 5);
    EXPECT_EQ(slot.StreamA(), next);
    EXPECT_TRUE(Alive(playing));
    slot.StopBoth();
}

// Stop acts on the stream on air, whatever the index says: after a jump the index no longer selects
// its handle.
TEST_F(PlayerSlotTest, StopOnAirStopsThePlayingStreamByHandle)
{
    for (const bool paused : {false, true}) {
        SCOPED_TRACE(paused ? "paused" : "playing");
        TChannel slot;
        const audiolib::Handle fading = StartEntry(slot, 0);
        const audiolib::Handle playing = StartEntry(slot, 1);
        if (paused)
            audiolib::ChannelPause(playing);
        slot.SetItemIndex(4);
        slot.StopOnAir();
        EXPECT_FALSE(Alive(playing));
        EXPECT_EQ(slot.OnAir(), 0u);
        EXPECT_TRUE(Alive(fading)) << "only what is on air stops";
        slot.StopBoth();
        EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    }
}

// After entries passed over, the index may select the handle of an entry still fading out: the next
// entry takes the free handle instead of cutting the fade, and still sits where its index points.
TEST_F(PlayerSlotTest, TheNextEntryNeverCutsAFadeWhenAHandleIsFree)
{
    TChannel slot;
    const audiolib::Handle fading = StartEntry(slot, 0);
    slot.ReleaseAir();
    slot.SetItemIndex(2); // entry 1 was missing
    ASSERT_EQ(slot.StreamB(), fading);
    EXPECT_EQ(slot.ForNext(), slot.StreamA());
    const audiolib::Handle next = PlayingStream();
    slot.PutOnAir(next);
    EXPECT_EQ(slot.StreamB(), next);
    EXPECT_EQ(slot.StreamA(), fading);
    EXPECT_TRUE(Alive(fading));

    // Both handles sounding: the index's own handle is replaced, whatever plays there.
    slot.ReleaseAir();
    slot.SetItemIndex(4);
    EXPECT_EQ(slot.ForNext(), next);
    slot.PutOnAir(0);
    EXPECT_FALSE(Alive(next));
    EXPECT_EQ(slot.OnAir(), 0u);
    EXPECT_EQ(slot.StreamB(), 0u);
    EXPECT_TRUE(Alive(fading));
    slot.StopBoth();
}
