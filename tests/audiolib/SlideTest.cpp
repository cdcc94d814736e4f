// Volume and pan at output time: linear per-frame slides, the balance law, pause and clipping.
#include "EngineFixture.h"

#include <algorithm>
#include <cmath>

namespace engine_test {
namespace {

using namespace audiolib;

using SlideTest = ManualClockTest;

TEST_F(SlideTest, VolumeSlideIsLinearPerFrameAndHoldsItsTarget)
{
    const Handle stream = Create(20000, 0, Constant(0.5f));
    ChannelSetAttributes(stream, KeepFreq, 20, KeepPan);
    ChannelPlay(stream, false);
    ASSERT_TRUE(ChannelSlideAttributes(stream, KeepFreq, 80, KeepPan, 100));

    const std::vector<float> out = Render(6000);

    const int n = 4410;
    for (int k = 0; k < 6000; ++k) {
        const double gain = 0.2 + 0.6 * std::min(k, n) / n;
        ASSERT_NEAR(out[2 * k], 0.5 * gain, 1e-6) << "frame " << k;
        ASSERT_NEAR(out[2 * k + 1], 0.5 * gain, 1e-6) << "frame " << k;
    }
}

TEST_F(SlideTest, ANewSlideStartsFromTheCurrentValue)
{
    const Handle stream = Create(20000, 0, Constant(1.0f));
    ChannelPlay(stream, false);
    ChannelSlideAttributes(stream, KeepFreq, 0, KeepPan, 100);  // 100 -> 0 over 4410
    Render(2205);                                               // now at 50
    ChannelSlideAttributes(stream, KeepFreq, 100, KeepPan, 10); // 50 -> 100 over 441
    const std::vector<float> out = Render(441);
    EXPECT_NEAR(out[0], 0.5, 1e-6);
    EXPECT_NEAR(out[2 * 220], 0.5 + 0.5 * 220 / 441.0, 1e-6);
}

TEST_F(SlideTest, PanUsesALinearBalanceWithTheLouderSideAtFull)
{
    struct Case {
        int pan;
        float left;
        float right;
    };
    const Handle stream = Create(100000, 0, Constant(0.5f));
    ChannelPlay(stream, false);
    for (const Case& c :
         {Case{0, 0.5f, 0.5f}, Case{-50, 0.5f, 0.25f}, Case{100, 0.0f, 0.5f}, Case{-100, 0.5f, 0.0f}}) {
        ASSERT_TRUE(ChannelSetAttributes(stream, KeepFreq, KeepVol, c.pan));
        const std::vector<float> out = Render(1);
        EXPECT_FLOAT_EQ(out[0], c.left) << "pan " << c.pan;
        EXPECT_FLOAT_EQ(out[1], c.right) << "pan " << c.pan;
    }
}

TEST_F(SlideTest, PauseFreezesPositionSlidesAndSyncs)
{
    constexpr int64_t block = 441;
    SyncRecorder reference;
    SyncRecorder paused;
    // Plays 200 blocks with a slide under way, pausing for 100 blocks after block 50 when asked.
    auto run = [&](SyncRecorder& recorder, bool pause) {
        const Handle stream = Create(200 * block);
        ChannelSetSync(stream, SyncPos, 80 * block * 4, SyncRecorder::Proc, &recorder);
        ChannelPlay(stream, false);
        ChannelSlideAttributes(stream, KeepFreq, 10, KeepPan, 1000);
        std::vector<float> out = Render(50 * block);
        if (pause) {
            EXPECT_TRUE(ChannelPause(stream));
            const std::vector<float> silence = Render(100 * block);
            EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](float v) { return v == 0.0f; }));
            EXPECT_EQ(ChannelGetPosition(stream), 50 * block * 4);
            EXPECT_EQ(ChannelIsActive(stream), ActivePaused);
            ChannelPlay(stream, false);
        }
        const std::vector<float> rest = Render(150 * block);
        out.insert(out.end(), rest.begin(), rest.end());
        StreamFree(stream);
        return out;
    };
    const std::vector<float> expected = run(reference, false);
    const std::vector<float> actual = run(paused, true);

    EXPECT_EQ(actual, expected);
    ASSERT_EQ(paused.Calls().size(), 1u);
    // The second run starts after the first one's 200 blocks and is held 100 blocks by the pause.
    EXPECT_EQ(paused.Calls()[0].frame, reference.Calls()[0].frame + 200 * block + 100 * block);
}

TEST_F(SlideTest, TheMixIsClippedToFullScale)
{
    const Signal wide = [](int64_t, int channel) { return channel == 0 ? 0.75f : -0.75f; };
    const Handle a = Create(1000, 0, wide);
    const Handle b = Create(1000, 0, wide);
    ChannelPlay(a, false);
    EXPECT_EQ(Render(1), (std::vector<float>{0.75f, -0.75f}));
    ChannelPlay(b, false);
    EXPECT_EQ(Render(1), (std::vector<float>{1.0f, -1.0f}));
}

} // namespace
} // namespace engine_test
