// Syncs on the manual clock, exact to the frame.
#include "EngineFixture.h"

namespace engine_test {
namespace {

using namespace audiolib;

using SyncTest = ManualClockTest;

TEST_F(SyncTest, PositionSyncFiresAtItsFrameAndItsChangesApplyFromTheNextFrame)
{
    const Handle stream = Create(5000, 0, Constant(0.5f));
    SyncRecorder recorder;
    const Handle later = ChannelSetSync(stream, SyncPos, 1000 * 4, SyncRecorder::Proc, &recorder);
    const Handle first = ChannelSetSync(stream, SyncPos, 1000 * 4, SyncRecorder::Proc, &recorder);
    recorder.onCall = [&](const SyncCall&) { ChannelSetAttributes(stream, KeepFreq, 0, KeepPan); };
    ASSERT_TRUE(ChannelPlay(stream, false));

    const std::vector<float> out = Render(2000);

    const std::vector<SyncCall> calls = recorder.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].sync, later); // same frame: registration order
    EXPECT_EQ(calls[1].sync, first);
    for (const SyncCall& call : calls) {
        EXPECT_EQ(call.frame, 1000);
        EXPECT_EQ(call.stream, stream);
        EXPECT_EQ(call.data, 0u);
    }
    EXPECT_FLOAT_EQ(out[2 * 999], 0.5f);
    EXPECT_FLOAT_EQ(out[2 * 1000], 0.0f);
}

TEST_F(SyncTest, EndFiresOnceAfterTheLastFrameThenTheStreamIsFreed)
{
    const Handle stream = Create(2000, StreamAutoFree);
    SyncRecorder recorder;
    recorder.onCall = [&](const SyncCall&) { EXPECT_EQ(ChannelGetPosition(stream), 2000 * 4); };
    ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
    ChannelSetSync(stream, SyncPos, 2000 * 4, SyncRecorder::Proc, &recorder); // at the end: never
    ASSERT_TRUE(ChannelPlay(stream, false));

    Render(5000);

    const std::vector<SyncCall> calls = recorder.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].frame, 2000);
    EXPECT_EQ(ChannelGetPosition(stream), -1);
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    EXPECT_EQ(LiveStreamCount(), 0);
}

// A length the container states and decoding proves wrong (a damaged file ends early, a header
// undercounts): the stream ends where decoding ends, with nothing padded, and a sync counted back
// from the end moves with it; one the news comes too late for fires at once instead of never.
TEST_F(SyncTest, TheEndIsWhereDecodingEndsAndSyncsBeforeItMoveWithIt)
{
    struct Case {
        const char* name;
        int64_t stated;
        int64_t real;
        int64_t beforeEnd;
        int64_t firstPointAt; // where the sync before the end may fire first
        int64_t lastPointAt;  // and last
    };
    const Case cases[] = {
        {"stated longer", 8000, 5000, 1000, 4000, 4000},
        {"stated shorter", 3000, 5000, 1000, 4000, 4000},
        // The end is found a ring's worth (about a second) ahead: the point is behind by then.
        {"found late", 60000, 50000, 10000, 40001, 49999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Handle stream = Create(c.real, StreamAutoFree, Constant(0.5f), c.stated);
        EXPECT_EQ(ChannelGetLength(stream), c.stated * 4);
        SyncRecorder end;
        SyncRecorder point;
        ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &end);
        ChannelSetSync(stream, SyncPos | SyncFromEnd | SyncOneTime, c.beforeEnd * 4, SyncRecorder::Proc,
                       &point);
        ASSERT_TRUE(ChannelPlay(stream, false));
        const int64_t start = NullFramesRendered();
        std::vector<float> out;
        for (int64_t frame = 0; frame < c.real + 2000; frame += 441) {
            const std::vector<float> block = Render(441);
            out.insert(out.end(), block.begin(), block.end());
        }
        ASSERT_EQ(end.Calls().size(), 1u);
        EXPECT_EQ(end.Calls()[0].frame - start, c.real);
        ASSERT_EQ(point.Calls().size(), 1u);
        EXPECT_GE(point.Calls()[0].frame - start, c.firstPointAt);
        EXPECT_LE(point.Calls()[0].frame - start, c.lastPointAt);
        EXPECT_FLOAT_EQ(out[2 * (c.real - 1)], 0.5f);
        EXPECT_EQ(out[2 * c.real], 0.0f);
        EXPECT_EQ(LiveStreamCount(), 0); // freed at the real end
    }
}

TEST_F(SyncTest, SeekingBackRefiresAPositionSyncUnlessOneTime)
{
    struct Case {
        uint32_t type;
        size_t calls;
    };
    for (const Case& c : {Case{SyncPos, 2}, Case{SyncPos | SyncOneTime, 1}}) {
        const Handle stream = Create(5000);
        SyncRecorder recorder;
        ChannelSetSync(stream, c.type, 1000 * 4, SyncRecorder::Proc, &recorder);
        ChannelPlay(stream, false);
        Render(1500);
        ASSERT_TRUE(ChannelSetPosition(stream, 0));
        Render(1500);
        EXPECT_EQ(recorder.Calls().size(), c.calls) << "type " << c.type;
        StreamFree(stream);
    }
}

TEST_F(SyncTest, ASeekOverAPositionDoesNotFireIt)
{
    const Handle stream = Create(5000);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncPos, 1000 * 4, SyncRecorder::Proc, &recorder);
    ChannelPlay(stream, false);
    Render(500);
    ASSERT_TRUE(ChannelSetPosition(stream, 1500 * 4));
    EXPECT_EQ(ChannelGetPosition(stream), 1500 * 4);
    Render(2000);
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST_F(SyncTest, ARemovedSyncIsNotCalledEvenWhenAlreadyDue)
{
    const Handle stream = Create(5000);
    SyncRecorder first;
    SyncRecorder second;
    ChannelSetSync(stream, SyncPos, 1000 * 4, SyncRecorder::Proc, &first);
    const Handle pending = ChannelSetSync(stream, SyncPos, 1000 * 4, SyncRecorder::Proc, &second);
    first.onCall = [&](const SyncCall&) { EXPECT_TRUE(ChannelRemoveSync(stream, pending)); };
    ChannelPlay(stream, false);

    Render(2000);

    EXPECT_EQ(first.Calls().size(), 1u);
    EXPECT_TRUE(second.Calls().empty());
    EXPECT_FALSE(ChannelRemoveSync(stream, pending));
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
}

TEST_F(SyncTest, SlideSyncFiresOnCompletionOnlyAndStaysRegistered)
{
    const Handle stream = Create(100000);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncSlide, 0, SyncRecorder::Proc, &recorder);
    ChannelPlay(stream, false);

    ChannelSlideAttributes(stream, KeepFreq, 0, KeepPan, 100); // 4410 frames
    Render(2000);
    ChannelSlideAttributes(stream, KeepFreq, 50, KeepPan, 10); // replaces it: 441 frames from now
    Render(1000);
    ChannelSlideAttributes(stream, KeepFreq, 100, KeepPan, 100);
    Render(1000);
    ChannelSetAttributes(stream, KeepFreq, 30, KeepPan); // cancels it
    Render(5000);
    ChannelSlideAttributes(stream, KeepFreq, KeepVol, -100, 0); // completes at the next frame
    Render(1);

    const std::vector<SyncCall> calls = recorder.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].frame, 2000 + 441);
    EXPECT_EQ(calls[0].data, SlideVol);
    EXPECT_EQ(calls[1].frame, 9000);
    EXPECT_EQ(calls[1].data, SlidePan);
}

TEST_F(SyncTest, SetSyncRejectsUnknownStreamsAndTypes)
{
    const Handle stream = Create(100);
    SyncRecorder recorder;
    EXPECT_EQ(ChannelSetSync(stream, 3, 0, SyncRecorder::Proc, &recorder), 0u);
    EXPECT_EQ(ErrorGetCode(), ErrorIllType);
    EXPECT_EQ(ChannelSetSync(stream, SyncEnd | SyncFromEnd, 0, SyncRecorder::Proc, &recorder), 0u);
    EXPECT_EQ(ErrorGetCode(), ErrorIllType);
    StreamFree(stream);
    EXPECT_EQ(ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder), 0u);
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
}

TEST_F(SyncTest, FreeingTheDeviceFiresNoEndSync)
{
    const Handle stream = Create(1000);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
    ChannelPlay(stream, false);
    Render(500);
    ASSERT_TRUE(Free());
    EXPECT_TRUE(recorder.Calls().empty());
    EXPECT_EQ(LiveStreamCount(), 0);
    ASSERT_TRUE(Init(0, 44100, 0)); // for TearDown
}

} // namespace
} // namespace engine_test
