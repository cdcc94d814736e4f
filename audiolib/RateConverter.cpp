#include "audiolib/RateConverter.h"

#include <samplerate.h>

namespace audiolib {

namespace {
constexpr double MaxRatio = 256.0;
// Streams of other rates are common (48 kHz files): the medium sinc keeps the audio band clean at a
// cost a few streams can afford.
constexpr int Quality = SRC_SINC_MEDIUM_QUALITY;
} // namespace

RateConverter::~RateConverter()
{
    if (state_ != nullptr)
        src_delete(state_);
}

double RateConverter::ClampRatio(double ratio)
{
    return std::clamp(ratio, 1.0 / MaxRatio, MaxRatio);
}

bool RateConverter::Prepare()
{
    if (state_ == nullptr) {
        int error = 0;
        state_ = src_new(Quality, 2, &error);
    }
    return state_ != nullptr;
}

RateConverter::Result RateConverter::Process(const float* in, int64_t inFrames, float* out, int64_t outFrames,
                                             double ratio, bool last)
{
    if (state_ == nullptr)
        return {};
    SRC_DATA data{};
    data.data_in = in;
    data.data_out = out;
    data.input_frames = static_cast<long>(inFrames);
    data.output_frames = static_cast<long>(outFrames);
    data.end_of_input = last ? 1 : 0;
    data.src_ratio = ClampRatio(ratio);
    if (src_process(state_, &data) != 0)
        return {};
    return {data.input_frames_used, data.output_frames_gen};
}

void RateConverter::Reset()
{
    if (state_ != nullptr)
        src_reset(state_);
}

double RateStage::EffectiveFreq(double freq, int deviceRate)
{
    return deviceRate / RateConverter::ClampRatio(deviceRate / freq);
}

int64_t RateStage::DeviceFramesFor(int64_t nativeFrames, double freq, int deviceRate) const
{
    const double native = static_cast<double>(nativeFrames) - (active_ ? carry_ : 0.0);
    const double frames = std::ceil(native * deviceRate / EffectiveFreq(freq, deviceRate) - 1e-9);
    return std::max<int64_t>(1, static_cast<int64_t>(frames));
}

int64_t RateStage::NativeFramesIn(int64_t deviceFrames, double freq, int deviceRate)
{
    return static_cast<int64_t>(static_cast<double>(deviceFrames) * EffectiveFreq(freq, deviceRate) /
                                deviceRate);
}

int64_t RateStage::Leave()
{
    const int64_t next = pulled_;
    Reset(next);
    active_ = false;
    return next;
}

void RateStage::Reset(int64_t position)
{
    converter_.Reset();
    inputBegin_ = inputEnd_ = 0;
    inputEnded_ = false;
    pulled_ = position;
    carry_ = 0.0;
}

void RateStage::Prepare()
{
    // Only for streams that need it: most play at the device rate all their life.
    if (!converter_.Prepare())
        return;
    input_.resize(static_cast<size_t>(InputFrames) * 2);
    output_.resize(static_cast<size_t>(BlockFrames) * 2);
}

void RateStage::Enter(int64_t position)
{
    Reset(position);
    active_ = true;
}

int64_t RateStage::CompactInput()
{
    if (inputBegin_ > 0) {
        std::copy(input_.begin() + 2 * inputBegin_, input_.begin() + 2 * inputEnd_, input_.begin());
        inputEnd_ -= inputBegin_;
        inputBegin_ = 0;
    }
    return InputFrames - inputEnd_;
}

} // namespace audiolib
