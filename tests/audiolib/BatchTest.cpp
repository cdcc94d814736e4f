// Batches of changes, applied together between two mixed periods, and what the mixer's own thread
// may and may not do: call the library (never) and allocate (never).
#include "AllocationCounter.h"
#include "EngineFixture.h"

#include "audiolib/StreamFactory.h"

#include <algorithm>

namespace engine_test {
namespace {

using namespace audiolib;

using BatchTest = ManualClockTest;

TEST_F(BatchTest, AStartGroupedWithItsFadeIsHeardAsOneWhileTheDeviceMixesOn)
{
    const Handle fading = Create(44100, 0, Constant(0.5f));
    ASSERT_TRUE(ChannelPlay(fading, false));
    Render(441);
    const Handle next = Create(44100, 0, Constant(0.25f));
    SyncRecorder recorder;

    ASSERT_TRUE(BeginBatch(0));
    ASSERT_TRUE(ChannelPlay(next, false));
    ASSERT_TRUE(ChannelSetAttributes(next, KeepFreq, 0, KeepPan));
    ASSERT_TRUE(ChannelSlideAttributes(next, KeepFreq, 100, KeepPan, 100));
    ASSERT_TRUE(ChannelSlideAttributes(fading, KeepFreq, 0, KeepPan, 100));
    ASSERT_NE(ChannelSetSync(next, SyncPos, 441 * 4, SyncRecorder::Proc, &recorder), 0u);
    // Held back: the other stream goes on at full volume, the new one has not started.
    std::vector<float> out = Render(441);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float s) { return s == 0.5f; }));
    EXPECT_EQ(ChannelIsActive(next), ActiveStopped);
    ASSERT_TRUE(EndBatch(0));

    EXPECT_EQ(ChannelIsActive(next), ActivePlaying);
    out = Render(4410);
    // From the first frame on, one fades out as the other fades in, never louder than either.
    for (int k = 0; k < 4410; k += 441) {
        const double in = static_cast<double>(k) / 4410;
        ASSERT_NEAR(out[2 * k], 0.5 * (1 - in) + 0.25 * in, 1e-6) << "frame " << k;
    }
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].frame, 441 * 3);
}

TEST_F(BatchTest, BatchesAreOnePerDeviceAndEndOnlyWhenBegun)
{
    EXPECT_FALSE(EndBatch(0));
    EXPECT_EQ(ErrorGetCode(), ErrorNotAvail);
    struct Case {
        int device;
        int error;
    };
    for (const Case c : {Case{-1, ErrorDevice}, Case{99, ErrorDevice}, Case{1, ErrorInit}}) {
        EXPECT_FALSE(BeginBatch(c.device)) << c.device;
        EXPECT_EQ(ErrorGetCode(), c.error) << c.device;
    }
    ASSERT_TRUE(BeginBatch(0));
    EXPECT_FALSE(BeginBatch(0));
    EXPECT_EQ(ErrorGetCode(), ErrorAlready);
    // A stream freed before the batch ends is left out of it.
    const Handle stream = Create(4410);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(StreamFree(stream));
    EXPECT_TRUE(EndBatch(0));
    EXPECT_FALSE(EndBatch(0));
}

TEST_F(BatchTest, ALibraryCallFromInsideTheMixFailsAtOnce)
{
    const Handle stream = Create(4410);
    int64_t position = 0;
    int code = 0;
    ASSERT_NE(ChannelSetDSP(
                  stream,
                  [&](Handle, Handle self, float*, uint32_t) {
                      position = ChannelGetPosition(self);
                      code = ErrorGetCode();
                  },
                  0),
              0u);
    ASSERT_TRUE(ChannelPlay(stream, false));
    // It would wait for the lock its own mixer holds; a Debug build stops at the fault instead.
    EXPECT_DEBUG_DEATH(Render(441), "DSP procedure called the audio library");
#ifdef NDEBUG
    EXPECT_EQ(position, -1);
    EXPECT_EQ(code, ErrorUnknown);
    EXPECT_EQ(NullFramesRendered(), 441); // and the mix went on
#endif
}

TEST_F(BatchTest, TheMixerAllocatesNothingForAStreamOfAnotherRate)
{
    // One stream made at 48 kHz, one moved there from the device rate: both need their rate stage.
    const Handle other =
        StreamCreateFromDecoder(std::make_unique<TestDecoder>(44100, Constant(0.25f), 48000), 0);
    const Handle moved = Create(44100, 0, Constant(0.25f));
    ASSERT_NE(other, 0u);
    ASSERT_TRUE(ChannelSetAttributes(moved, 48000, KeepVol, KeepPan));
    Render(0); // opens the device's output
    float heard = 0.0f;
    NullSetSink([&heard](const float* stereo, int64_t frames) {
        for (int64_t i = 0; i < frames * 2; ++i)
            heard = std::max(heard, stereo[i]);
    });
    ASSERT_TRUE(ChannelPlay(other, false));
    ASSERT_TRUE(ChannelPlay(moved, false));

    const AllocationCounter counter;
    ASSERT_TRUE(NullAdvance(4410));
    EXPECT_EQ(counter.Count(), 0);
    EXPECT_GT(heard, 0.4f); // both streams sound
    NullSetSink(nullptr);
}

} // namespace
} // namespace engine_test
