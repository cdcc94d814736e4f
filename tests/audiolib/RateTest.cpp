// The frequency attribute on device 0's manual clock: playback rate, rate conversion and its bypass.
#include "EngineFixture.h"

#include "audiolib/StreamFactory.h"

#include <cmath>
#include <numbers>

namespace engine_test {
namespace {

using namespace audiolib;

using RateTest = ManualClockTest;

Handle CreateAt(int rate, int64_t frames, Signal signal, uint32_t flags = 0)
{
    return StreamCreateFromDecoder(std::make_unique<TestDecoder>(frames, std::move(signal), rate), flags);
}

TEST_F(RateTest, DoubleRateReachesTheEndInHalfTheFrames)
{
    const Handle stream = Create(44100, StreamAutoFree);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
    ASSERT_TRUE(ChannelSetAttributes(stream, 88200, KeepVol, KeepPan));
    ASSERT_TRUE(ChannelPlay(stream, false));

    ASSERT_TRUE(NullAdvance(1000));
    EXPECT_EQ(ChannelGetPosition(stream), 8 * 1000);
    ASSERT_TRUE(NullAdvance(30000));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].frame, 22050);
    EXPECT_EQ(LiveStreamCount(), 0);
}

TEST_F(RateTest, TheNativeRateBypassesConversionBitForBit)
{
    struct Case {
        const char* what;
        int freq;
    };
    for (const Case& c : {Case{"untouched", KeepFreq}, Case{"native", 0}, Case{"device rate", 44100}}) {
        const Handle stream = Create(10000);
        ASSERT_TRUE(ChannelSetAttributes(stream, c.freq, KeepVol, KeepPan));
        ASSERT_TRUE(ChannelPlay(stream, false));
        const std::vector<float> out = Render(3000);
        ASSERT_EQ(out.size(), 6000u);
        for (int64_t i = 0; i < 3000; ++i) {
            ASSERT_EQ(out[2 * i], Ramp(i, 0)) << c.what << " frame " << i;
            ASSERT_EQ(out[2 * i + 1], Ramp(i, 1)) << c.what << " frame " << i;
        }
        StreamFree(stream);
    }
}

TEST_F(RateTest, BackAtTheNativeRateTheSamplesPassUntouchedWhereThePositionSays)
{
    const Handle stream = Create(20000);
    ASSERT_TRUE(ChannelSetAttributes(stream, 66150, KeepVol, KeepPan));
    ASSERT_TRUE(ChannelPlay(stream, false));
    Render(1000);
    ASSERT_TRUE(ChannelSetAttributes(stream, 0, KeepVol, KeepPan));
    const std::vector<float> out = Render(500);
    const int64_t first = ChannelGetPosition(stream) / 4 - 500;
    EXPECT_GE(first, 1500);
    for (int64_t i = 0; i < 500; ++i)
        ASSERT_EQ(out[2 * i], Ramp(first + i, 0)) << "frame " << i;
}

TEST_F(RateTest, AStreamOfAnotherRateIsConvertedToTheDeviceRate)
{
    // One second of a 1 kHz sine at 48 kHz.
    const Signal sine = [](int64_t frame, int) {
        return static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * 1000.0 * frame / 48000.0));
    };
    const Handle stream = CreateAt(48000, 48000, sine, StreamAutoFree);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
    ASSERT_TRUE(ChannelPlay(stream, false));

    const std::vector<float> out = Render(4410 + 441);
    EXPECT_EQ(ChannelGetPosition(stream), (4800 + 480) * 4);
    // Still 1 kHz after the filter's first frames: 200 sign changes in 0.1 s.
    int changes = 0;
    for (int64_t i = 441; i < 4410 + 441 - 1; ++i)
        changes += (out[2 * i] < 0.0f) != (out[2 * i + 2] < 0.0f);
    EXPECT_NEAR(changes, 200, 2);
    float peak = 0.0f;
    for (int64_t i = 441; i < 4410 + 441; ++i)
        peak = std::max(peak, std::abs(out[2 * i]));
    EXPECT_NEAR(peak, 0.5f, 0.01f);

    ASSERT_TRUE(NullAdvance(44100));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_NEAR(static_cast<double>(recorder.Calls()[0].frame), 44100.0, 1.0);
}

TEST_F(RateTest, RatesBeyondTheConvertersReachAreHeldAtItsLimit)
{
    struct Case {
        int freq;
        int64_t frames;
        double position; // frames
    };
    // 100 Hz would need a ratio of 441: it plays at 44,100 / 256 Hz.
    for (const Case& c :
         {Case{100, 44100, 44100.0 / 256}, Case{100000, 4410, 10000.0}, Case{22050, 4410, 2205.0}}) {
        const Handle stream = Create(44100);
        ASSERT_TRUE(ChannelSetAttributes(stream, c.freq, KeepVol, KeepPan));
        ASSERT_TRUE(ChannelPlay(stream, false));
        ASSERT_TRUE(NullAdvance(c.frames));
        EXPECT_NEAR(static_cast<double>(ChannelGetPosition(stream) / 4), c.position, 1.0) << c.freq;
        StreamFree(stream);
    }
}

TEST_F(RateTest, AFrequencySlideCompletesWithItsSync)
{
    const Handle stream = Create(44100);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncSlide, 0, SyncRecorder::Proc, &recorder);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(ChannelSlideAttributes(stream, 88200, KeepVol, KeepPan, 100));
    ASSERT_TRUE(NullAdvance(5000));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].frame, 4410);
    EXPECT_EQ(recorder.Calls()[0].data, SlideFreq);
    // The mean rate over the slide is 1.5 times the native one, then 2 times.
    EXPECT_NEAR(static_cast<double>(ChannelGetPosition(stream) / 4), 4410 * 1.5 + 590 * 2.0, 3.0);
}

} // namespace
} // namespace engine_test
