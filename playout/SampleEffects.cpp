#include "playout/SampleEffects.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr float RotateStep = 0.00003f;

size_t Frames(uint32_t length)
{
    return length / (2 * sizeof(float));
}

// x mod y = x − y × trunc(x / y), in single precision as the angle is kept.
float Modulo(float x, float y)
{
    return x - y * std::trunc(x / y);
}

} // namespace

void Rotate(TRotateState& state, float* buffer, uint32_t length)
{
    for (size_t frame = 0, frames = Frames(length); frame < frames; ++frame) {
        buffer[2 * frame] *= std::fabs(std::sin(state.angle));
        buffer[2 * frame + 1] *= std::fabs(std::cos(state.angle));
        state.angle = Modulo(state.angle + RotateStep, Pi);
    }
}

void Echo(TEchoState& state, float* buffer, uint32_t length)
{
    for (size_t frame = 0, frames = Frames(length); frame < frames; ++frame) {
        float* const sample = buffer + 2 * frame;
        float* const echo = state.buffer.data() + 2 * state.position;
        const float left = sample[0] + echo[1] / 2;
        const float right = sample[1] + echo[0] / 2;
        sample[0] = echo[0] = left;
        sample[1] = echo[1] = right;
        if (++state.position == TEchoState::Frames)
            state.position = 0;
    }
}

void Flanger(TFlangerState& state, float* buffer, uint32_t length)
{
    constexpr int N = TFlangerState::Frames;
    for (size_t frame = 0, frames = Frames(length); frame < frames; ++frame) {
        // The delay stays within a step of 0..350, so the sum is never below -1; the modulo is kept
        // non-negative all the same.
        const int a =
            ((static_cast<int>(std::trunc(static_cast<float>(state.position) + state.delay)) % N) + N) % N;
        const int b = (a + 1) % N;
        const float s = std::fmod(state.delay, 1.0f);
        for (int side = 0; side < 2; ++side) {
            float& sample = buffer[2 * frame + side];
            const float input = sample;
            sample = (1 - s) * state.buffer[2 * a + side] + s * state.buffer[2 * b + side] + input;
            state.buffer[2 * state.position + side] = input;
        }
        if (++state.position == N)
            state.position = 0;
        state.delay += state.speed;
        if (state.delay < 0 || state.delay > N)
            state.speed = -state.speed;
    }
}
