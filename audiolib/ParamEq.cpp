#include "audiolib/ParamEq.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audiolib {

namespace {
// The centre stays below the Nyquist frequency with a margin, where the biquad is well behaved.
constexpr double MaxCentreOfRate = 0.45;
// Filter state below this is flushed, so a decaying tail never turns denormal.
constexpr double DenormalFloor = 1e-30;

bool InRange(float value, float low, float high)
{
    return value >= low && value <= high; // false for NaN
}

double Flush(double value)
{
    return std::fabs(value) < DenormalFloor ? 0.0 : value;
}
} // namespace

ParamEq::ParamEq(int rate) : rate_(rate)
{
    UpdateCoefficients();
}

bool ParamEq::SetParameters(const void* record)
{
    const auto& parameters = *static_cast<const ParamEqParameters*>(record);
    if (!InRange(parameters.centre, 80.0f, 16000.0f) || !InRange(parameters.bandwidth, 1.0f, 36.0f) ||
        !InRange(parameters.gain, -15.0f, 15.0f))
        return false;
    parameters_ = parameters;
    UpdateCoefficients();
    return true;
}

void ParamEq::GetParameters(void* record) const
{
    *static_cast<ParamEqParameters*>(record) = parameters_;
}

void ParamEq::UpdateCoefficients()
{
    const double centre = std::min<double>(parameters_.centre, MaxCentreOfRate * rate_);
    const double octaves = parameters_.bandwidth / 12.0;
    const double a = std::pow(10.0, parameters_.gain / 40.0);
    const double w0 = 2.0 * std::numbers::pi * centre / rate_;
    const double alpha = std::sin(w0) * std::sinh(std::numbers::ln2 / 2.0 * octaves * w0 / std::sin(w0));
    const double a0 = 1.0 + alpha / a;
    b0_ = (1.0 + alpha * a) / a0;
    b1_ = -2.0 * std::cos(w0) / a0;
    b2_ = (1.0 - alpha * a) / a0;
    a1_ = b1_;
    a2_ = (1.0 - alpha / a) / a0;
}

void ParamEq::Process(float* stereo, int64_t frames)
{
    for (size_t channel = 0; channel < history_.size(); ++channel) {
        History h = history_[channel];
        float* sample = stereo + channel;
        for (int64_t i = 0; i < frames; ++i, sample += 2) {
            const double x = *sample;
            // Grouped so that the terms cancel exactly when the gain is 0.
            const double y = b0_ * x + (b1_ * h.x1 - a1_ * h.y1) + (b2_ * h.x2 - a2_ * h.y2);
            h.x2 = h.x1;
            h.x1 = x;
            h.y2 = h.y1;
            h.y1 = y;
            *sample = static_cast<float>(y);
        }
        history_[channel] = {Flush(h.x1), Flush(h.x2), Flush(h.y1), Flush(h.y2)};
    }
}

} // namespace audiolib
