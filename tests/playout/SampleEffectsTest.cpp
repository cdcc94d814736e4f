// The effects window's own sample effects on fixed buffers, without the library.
#include "playout/SampleEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr int64_t Block = 441;

// Runs `effect` over stereo frames in blocks, 441 frames as the mixer hands them over.
template <typename State>
void Process(void (*effect)(State&, float*, uint32_t), State& state, std::vector<float>& frames,
             int64_t block = Block)
{
    const auto count = static_cast<int64_t>(frames.size() / 2);
    for (int64_t at = 0; at < count; at += block) {
        const int64_t n = std::min(block, count - at);
        effect(state, frames.data() + 2 * at, static_cast<uint32_t>(n * 2 * sizeof(float)));
    }
}

// An impulse of 1 on the left side of frame 0, silence elsewhere.
std::vector<float> Impulse(int64_t frames)
{
    std::vector<float> buffer(static_cast<size_t>(2 * frames), 0.0f);
    buffer[0] = 1.0f;
    return buffer;
}

struct Heard {
    int64_t frame;
    int side;
    double value;
};

// Every sample is 0 but the listed ones, which hold their values to `tolerance`.
void ExpectOnly(const std::vector<float>& buffer, const std::vector<Heard>& heard, double tolerance)
{
    std::vector<float> expected(buffer.size(), 0.0f);
    for (const Heard& h : heard)
        expected[static_cast<size_t>(2 * h.frame + h.side)] = static_cast<float>(h.value);
    for (size_t i = 0; i < buffer.size(); ++i) {
        if (std::abs(buffer[i] - expected[i]) > tolerance) {
            ADD_FAILURE() << "frame " << i / 2 << (i % 2 == 0 ? " left " : " right ") << buffer[i]
                          << ", expected " << expected[i];
            return;
        }
    }
}

// The frames after which `turned` first holds, then holds no more, and so on, `count` times.
std::vector<int64_t> Turns(const std::function<bool()>& step, int64_t frames, size_t count)
{
    std::vector<int64_t> turns;
    for (int64_t n = 1; n <= frames && turns.size() < count; ++n) {
        if (step())
            turns.push_back(n);
    }
    return turns;
}

} // namespace

TEST(SampleEffects, RotateStartsAtAQuarterTurnAndMovesTheLevelBetweenTheSides)
{
    TRotateState state;
    std::vector<float> ones(2 * 4410, 1.0f);
    Process(Rotate, state, ones);
    EXPECT_NEAR(ones[0], 0.70710678, 1e-6);
    EXPECT_NEAR(ones[1], 0.70710678, 1e-6);
    // Left × |sin a| and right × |cos a|: the power of a steady signal stays whole.
    for (size_t frame = 0; frame < ones.size() / 2; ++frame) {
        const float left = ones[2 * frame];
        const float right = ones[2 * frame + 1];
        ASSERT_NEAR(left * left + right * right, 1.0, 1e-5) << frame;
        ASSERT_GE(left, 0.0f);
        ASSERT_GE(right, 0.0f);
    }
    // The angle has gone 4410 steps of 0.00003 on from π/4.
    EXPECT_NEAR(ones[2 * 4409], std::sin(std::numbers::pi / 4 + 4409 * 0.00003), 1e-3);
}

TEST(SampleEffects, RotateComesRoundAfterPiOverItsStep)
{
    // The angle wraps at π, first from π/4 and then every π / 0.00003 ≈ 104,720 frames.
    TRotateState state;
    float previous = state.angle;
    const std::vector<int64_t> wraps = Turns(
        [&] {
            float frame[2] = {1.0f, 1.0f};
            Rotate(state, frame, sizeof frame);
            const bool wrapped = state.angle < previous;
            previous = state.angle;
            return wrapped;
        },
        400000, 3);
    ASSERT_EQ(wraps.size(), 3u);
    constexpr double Period = std::numbers::pi / 0.00003;
    EXPECT_NEAR(static_cast<double>(wraps[0]), 0.75 * Period, 0.005 * Period);
    EXPECT_NEAR(static_cast<double>(wraps[1] - wraps[0]), Period, 0.005 * Period);
    EXPECT_NEAR(static_cast<double>(wraps[2] - wraps[1]), Period, 0.005 * Period);
    EXPECT_GE(state.angle, 0.0f);
}

TEST(SampleEffects, EchoCrossesToTheOtherSideAtHalfTheLevelEvery1200Frames)
{
    for (const int64_t block : {Block, int64_t{1}, int64_t{1200}}) {
        TEchoState state;
        std::vector<float> buffer = Impulse(6000);
        Process(Echo, state, buffer, block);
        SCOPED_TRACE(block);
        // Halves of halves are exact in float.
        ExpectOnly(buffer,
                   {{0, 0, 1.0}, {1200, 1, 0.5}, {2400, 0, 0.25}, {3600, 1, 0.125}, {4800, 0, 0.0625}}, 0.0);
    }
}

TEST(SampleEffects, FlangerAddsTheDryImpulseOnceAtItsInterpolatedDelay)
{
    // At frame n the delay is 175 + 0.002·n: the impulse written at place 0 is read back when the
    // place p + d reaches 350, between frames 174 (weight frac(d) = 0.348 on place 0) and 175
    // (weight 1 − 0.350). The buffer holds the dry input, so that echo never comes round again;
    // and the right side stays silent.
    TFlangerState state;
    std::vector<float> buffer = Impulse(3000);
    Process(Flanger, state, buffer);
    ExpectOnly(buffer, {{0, 0, 1.0}, {174, 0, 0.348}, {175, 0, 1.0 - 0.350}}, 1e-3);
}

TEST(SampleEffects, FlangerDelaySweepsOnceAFrameAndTurnsAt0And350)
{
    // 0.002 a frame from 175: up to 350 after 87,500 frames, down to 0 after 175,000 more, up again.
    TFlangerState state;
    float lowest = state.delay;
    float highest = state.delay;
    bool rising = true;
    const std::vector<int64_t> turns = Turns(
        [&] {
            float frame[2] = {0.0f, 0.0f};
            Flanger(state, frame, sizeof frame);
            lowest = std::min(lowest, state.delay);
            highest = std::max(highest, state.delay);
            const bool turned = (state.speed > 0) != rising;
            rising = state.speed > 0;
            return turned;
        },
        700000, 3);
    ASSERT_EQ(turns.size(), 3u);
    EXPECT_NEAR(static_cast<double>(turns[0]), 87500, 875);
    EXPECT_NEAR(static_cast<double>(turns[1] - turns[0]), 175000, 1750);
    EXPECT_NEAR(static_cast<double>(turns[2] - turns[1]), 175000, 1750);
    EXPECT_GT(lowest, -0.01f);
    EXPECT_LT(highest, 350.01f);
    EXPECT_FLOAT_EQ(std::abs(state.speed), 0.002f);
}
