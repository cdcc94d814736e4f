// The equaliser and reverb effects: parameters, their ranges and errors, and what they do to the sound.
#include "EngineFixture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace engine_test {
namespace {

using namespace audiolib;

using EffectsTest = ManualClockTest;

Signal Sine(double hz, float amplitude)
{
    return [=](int64_t frame, int) {
        return static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * frame / 44100.0));
    };
}

double RmsDb(const std::vector<float>& stereo, size_t fromFrame)
{
    double sum = 0.0;
    for (size_t i = fromFrame * 2; i < stereo.size(); ++i)
        sum += static_cast<double>(stereo[i]) * stereo[i];
    return 10.0 * std::log10(sum / static_cast<double>(stereo.size() - fromFrame * 2));
}

TEST_F(EffectsTest, ErrorsAndDefaults)
{
    const Handle stream = Create(1000);
    EXPECT_EQ(ChannelSetFX(stream + 1000, FxParamEq, 0), 0u);
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    EXPECT_EQ(ChannelSetFX(stream, 3, 0), 0u);
    EXPECT_EQ(ErrorGetCode(), ErrorIllType);

    const Handle eq = ChannelSetFX(stream, FxParamEq, 0);
    const Handle reverb = ChannelSetFX(stream, FxReverb, 0);
    ASSERT_NE(eq, 0u);
    ASSERT_NE(reverb, 0u);
    ParamEqParameters eqRecord{1, 1, 1};
    ASSERT_TRUE(FXGetParameters(eq, &eqRecord));
    EXPECT_EQ(eqRecord.centre, 8000.0f);
    EXPECT_EQ(eqRecord.bandwidth, 12.0f);
    EXPECT_EQ(eqRecord.gain, 0.0f);
    ReverbParameters reverbRecord{1, 1, 1, 1};
    ASSERT_TRUE(FXGetParameters(reverb, &reverbRecord));
    EXPECT_EQ(reverbRecord.inputGain, 0.0f);
    EXPECT_EQ(reverbRecord.mix, -96.0f);
    EXPECT_EQ(reverbRecord.time, 1000.0f);
    EXPECT_EQ(reverbRecord.highFreqRatio, 0.001f);

    const Handle dsp = ChannelSetDSP(
        stream, [](Handle, Handle, float*, uint32_t) {}, 0);
    for (const Handle bad : {Handle{0}, dsp, stream}) {
        EXPECT_FALSE(FXSetParameters(bad, &eqRecord)) << bad;
        EXPECT_EQ(ErrorGetCode(), ErrorHandle);
        EXPECT_FALSE(FXGetParameters(bad, &eqRecord)) << bad;
        EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    }
    StreamFree(stream);
    EXPECT_FALSE(FXGetParameters(eq, &eqRecord));
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
}

TEST_F(EffectsTest, RecordsOutOfRangeAreRefusedAndChangeNothing)
{
    const Handle stream = Create(1000);
    const Handle eq = ChannelSetFX(stream, FxParamEq, 0);
    const Handle reverb = ChannelSetFX(stream, FxReverb, 0);
    const ParamEqParameters eqLimits[] = {{80, 1, -15}, {16000, 36, 15}};
    const ParamEqParameters eqBad[] = {{79, 12, 0},        {16001, 12, 0}, {1000, 0.5f, 0}, {1000, 37, 0},
                                       {1000, 12, -15.5f}, {1000, 12, 16}, {NAN, 12, 0}};
    const ReverbParameters reverbLimits[] = {{-96, -96, 0.001f, 0.001f}, {0, 0, 3000, 0.999f}};
    const ReverbParameters reverbBad[] = {{-97, 0, 1000, 0.5f}, {1, 0, 1000, 0.5f}, {0, -97, 1000, 0.5f},
                                          {0, 1, 1000, 0.5f},   {0, 0, 0, 0.5f},    {0, 0, 3001, 0.5f},
                                          {0, 0, 1000, 0.0f},   {0, 0, 1000, 1.0f}};
    for (const ParamEqParameters& record : eqLimits)
        EXPECT_TRUE(FXSetParameters(eq, &record)) << record.centre;
    for (const ParamEqParameters& record : eqBad) {
        EXPECT_FALSE(FXSetParameters(eq, &record)) << record.centre << " " << record.bandwidth;
        EXPECT_EQ(ErrorGetCode(), ErrorIllParam);
    }
    for (const ReverbParameters& record : reverbLimits)
        EXPECT_TRUE(FXSetParameters(reverb, &record)) << record.time;
    for (const ReverbParameters& record : reverbBad) {
        EXPECT_FALSE(FXSetParameters(reverb, &record)) << record.inputGain << " " << record.time;
        EXPECT_EQ(ErrorGetCode(), ErrorIllParam);
    }
    ParamEqParameters kept;
    FXGetParameters(eq, &kept);
    EXPECT_EQ(kept.centre, 16000.0f);
    EXPECT_EQ(kept.gain, 15.0f);
    EXPECT_FALSE(FXSetParameters(eq, nullptr));
    EXPECT_EQ(ErrorGetCode(), ErrorIllParam);
}

TEST_F(EffectsTest, EqualiserGainAtAOneKilohertzSine)
{
    struct Case {
        ParamEqParameters band;
        double expectedDb;
    };
    const Case cases[] = {
        {{1000, 12, 15}, 15.0}, {{1000, 18, -15}, -15.0}, {{1000, 12, 6}, 6.0},
        {{8000, 12, 15}, 0.0},  {{125, 12, -15}, 0.0}, // three octaves away
    };
    for (const Case& c : cases) {
        const Handle stream = Create(8820, 0, Sine(1000.0, 0.1f));
        const Handle eq = ChannelSetFX(stream, FxParamEq, 0);
        ASSERT_TRUE(FXSetParameters(eq, &c.band));
        ChannelPlay(stream, false);
        const std::vector<float> out = Render(8820);
        const double inputDb = 20.0 * std::log10(0.1 / std::numbers::sqrt2);
        EXPECT_NEAR(RmsDb(out, 4410) - inputDb, c.expectedDb, 0.5)
            << "centre " << c.band.centre << " gain " << c.band.gain;
        StreamFree(stream);
    }
}

TEST_F(EffectsTest, NeutralEffectsPassTheSignalUnchanged)
{
    const Handle stream = Create(5000);
    const ParamEqParameters flat{1000, 18, 0};
    FXSetParameters(ChannelSetFX(stream, FxParamEq, 1), &flat);
    ChannelSetFX(stream, FxParamEq, 1);
    ChannelSetFX(stream, FxReverb, 1);
    ChannelPlay(stream, false);
    const std::vector<float> out = Render(5000);
    for (int64_t frame = 0; frame < 5000; ++frame) {
        ASSERT_NEAR(out[2 * frame], Ramp(frame, 0), 1e-6) << "frame " << frame;
        ASSERT_NEAR(out[2 * frame + 1], Ramp(frame, 1), 1e-6) << "frame " << frame;
    }
}

// The reverb of an impulse decays by 60 dB over about the reverb time.
TEST_F(EffectsTest, ReverbTailDecaysOverItsTime)
{
    constexpr int64_t Window = 441; // 10 ms
    for (const float timeMs : {500.0f, 1500.0f}) {
        const auto frames = static_cast<int64_t>(timeMs * 44.1f);
        const Handle stream = Create(frames, 0, [](int64_t frame, int) { return frame == 0 ? 1.0f : 0.0f; });
        const Handle reverb = ChannelSetFX(stream, FxReverb, 0);
        const ReverbParameters wetOnly{-96, 0, timeMs, 0.999f};
        ASSERT_TRUE(FXSetParameters(reverb, &wetOnly));
        ChannelPlay(stream, false);
        const std::vector<float> out = Render(frames);

        std::vector<double> levels; // of each window, in dB
        for (size_t start = 0; start + Window * 2 <= out.size(); start += Window * 2) {
            double sum = 1e-30;
            for (size_t i = start; i < start + Window * 2; ++i)
                sum += static_cast<double>(out[i]) * out[i];
            levels.push_back(10.0 * std::log10(sum));
        }
        const auto peak = std::max_element(levels.begin(), levels.end());
        ASSERT_GT(*peak, -60.0) << "an audible tail";
        // Milliseconds from the peak until the level has dropped by `db`.
        const auto timeOf = [&](double db) {
            const auto it =
                std::find_if(peak, levels.end(), [&](double level) { return level < *peak - db; });
            EXPECT_NE(it, levels.end()) << "no drop of " << db << " dB";
            return static_cast<double>(it - peak) * Window / 44.1;
        };
        const double decayMs = (timeOf(35.0) - timeOf(5.0)) * 60.0 / 30.0;
        EXPECT_NEAR(decayMs, timeMs, timeMs * 0.2) << "time " << timeMs;
        StreamFree(stream);
    }
}

} // namespace
} // namespace engine_test
