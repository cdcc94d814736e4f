#include "audiolib/FftMagnitudes.h"

#include "kissfft/kiss_fftr.h"

#include <cmath>
#include <new>
#include <numbers>

namespace audiolib {

FftMagnitudes::FftMagnitudes() : config_(kiss_fftr_alloc(Size, 0, nullptr, nullptr))
{
    if (config_ == nullptr)
        throw std::bad_alloc();
    // The periodic Hann window, whose coherent gain is exactly one half.
    for (int n = 0; n < Size; ++n)
        window_[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / Size));
}

FftMagnitudes::~FftMagnitudes()
{
    kiss_fftr_free(config_);
}

void FftMagnitudes::Magnitudes(const float* stereo, float* out)
{
    for (int n = 0; n < Size; ++n)
        samples_[n] = 0.5f * (stereo[2 * n] + stereo[2 * n + 1]) * window_[n];
    std::array<kiss_fft_cpx, Bins + 1> bins;
    kiss_fftr(config_, samples_.data(), bins.data());
    for (int k = 0; k < Bins; ++k)
        out[k] = std::hypot(bins[k].r, bins[k].i) * (2.0f / Size);
}

} // namespace audiolib
