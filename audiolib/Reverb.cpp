#include "audiolib/Reverb.h"

#include <algorithm>
#include <cmath>

namespace audiolib {

namespace {
// Lengths at 44.1 kHz, scaled to the stream's rate; mutually prime, so the echoes do not line up.
constexpr std::array<int, 2> DiffuserFrames = {225, 341};
constexpr std::array<int, Reverb::Lines> LineFrames = {1031, 1153, 1277, 1399, 1523, 1637, 1759, 1889};
constexpr float DiffuserGain = 0.5f;
constexpr float InputScale = 0.25f;
constexpr float OutputScale = 0.5f;
constexpr float HadamardScale = 0.35355339f; // 1/sqrt(8): the feedback matrix is orthonormal
// The floor of the gain ranges means "none", so that a fresh reverb adds nothing at all.
constexpr float SilentDb = -96.0f;
constexpr float DenormalFloor = 1e-20f;

bool InRange(float value, float low, float high)
{
    return value >= low && value <= high; // false for NaN
}

float DbGain(float db)
{
    return db <= SilentDb ? 0.0f : std::pow(10.0f, db / 20.0f);
}

size_t Scaled(int frames, int rate)
{
    return std::max<size_t>(1,
                            static_cast<size_t>(std::lround(static_cast<double>(frames) * rate / 44100.0)));
}

// In-place fast Walsh-Hadamard transform of eight values.
void Hadamard(std::array<float, Reverb::Lines>& v)
{
    for (size_t half = 1; half < v.size(); half *= 2) {
        for (size_t i = 0; i < v.size(); i += 2 * half) {
            for (size_t j = i; j < i + half; ++j) {
                const float a = v[j];
                const float b = v[j + half];
                v[j] = a + b;
                v[j + half] = a - b;
            }
        }
    }
}
} // namespace

void Reverb::Delay::Write(float value)
{
    buffer[position] = value;
    if (++position == buffer.size())
        position = 0;
}

float Reverb::Diffuser::Process(float input)
{
    const float delayed = delay.Read();
    float stored = input + DiffuserGain * delayed;
    if (std::fabs(stored) < DenormalFloor)
        stored = 0.0f;
    delay.Write(stored);
    return delayed - DiffuserGain * stored;
}

Reverb::Reverb(int rate) : rate_(rate)
{
    for (size_t i = 0; i < diffusers_.size(); ++i)
        diffusers_[i].delay.buffer.assign(Scaled(DiffuserFrames[i], rate), 0.0f);
    for (size_t i = 0; i < lines_.size(); ++i)
        lines_[i].delay.buffer.assign(Scaled(LineFrames[i], rate), 0.0f);
    UpdateGains();
}

bool Reverb::SetParameters(const void* record)
{
    const auto& parameters = *static_cast<const ReverbParameters*>(record);
    if (!InRange(parameters.inputGain, -96.0f, 0.0f) || !InRange(parameters.mix, -96.0f, 0.0f) ||
        !InRange(parameters.time, 0.001f, 3000.0f) || !InRange(parameters.highFreqRatio, 0.001f, 0.999f))
        return false;
    parameters_ = parameters;
    UpdateGains();
    return true;
}

void Reverb::GetParameters(void* record) const
{
    *static_cast<ReverbParameters*>(record) = parameters_;
}

void Reverb::UpdateGains()
{
    dry_ = DbGain(parameters_.inputGain);
    wet_ = DbGain(parameters_.mix);
    const double seconds = parameters_.time / 1000.0;
    for (Line& line : lines_) {
        // A loop of `frames` frames loses 60 dB over the reverb time, and the top end over a fraction of it.
        const auto frames = static_cast<double>(line.delay.buffer.size());
        const double low = std::pow(10.0, -3.0 * frames / (seconds * rate_));
        const double high = std::pow(10.0, -3.0 * frames / (seconds * parameters_.highFreqRatio * rate_));
        const double a = low + high > 0.0 ? (low - high) / (low + high) : 0.0;
        line.a = static_cast<float>(a);
        line.b = static_cast<float>(low * (1.0 - a));
    }
}

void Reverb::Process(float* stereo, int64_t frames)
{
    std::array<float, Lines> feedback{};
    for (int64_t i = 0; i < frames; ++i) {
        float& left = stereo[2 * i];
        float& right = stereo[2 * i + 1];
        float input = InputScale * (left + right);
        for (Diffuser& diffuser : diffusers_)
            input = diffuser.Process(input);
        for (size_t j = 0; j < Lines; ++j) {
            Line& line = lines_[j];
            line.state = line.b * line.delay.Read() + line.a * line.state;
            if (std::fabs(line.state) < DenormalFloor)
                line.state = 0.0f;
            feedback[j] = line.state;
        }
        // Alternate lines feed the two sides, with alternating signs, for a wide, uncorrelated tail.
        const float wetLeft = OutputScale * (feedback[0] - feedback[2] + feedback[4] - feedback[6]);
        const float wetRight = OutputScale * (feedback[1] - feedback[3] + feedback[5] - feedback[7]);
        Hadamard(feedback);
        for (size_t j = 0; j < Lines; ++j)
            lines_[j].delay.Write(input + HadamardScale * feedback[j]);
        left = dry_ * left + wet_ * wetLeft;
        right = dry_ * right + wet_ * wetRight;
    }
}

} // namespace audiolib
