#pragma once
// The 1024-point magnitude spectrum of ChannelGetData: stereo frames mixed to mono, Hann-windowed,
// real FFT, |X[k]|·2/1024 for k = 0..511, so a full-scale sine centred on a bin reads about 0.5.
#include <array>
#include <cstdint>

struct kiss_fftr_state;

namespace audiolib {

class FftMagnitudes {
public:
    static constexpr int Size = 1024;
    static constexpr int Bins = Size / 2;

    FftMagnitudes();
    ~FftMagnitudes();
    FftMagnitudes(const FftMagnitudes&) = delete;
    FftMagnitudes& operator=(const FftMagnitudes&) = delete;

    // `stereo` holds Size interleaved frames; `out` receives Bins magnitudes.
    void Magnitudes(const float* stereo, float* out);

private:
    kiss_fftr_state* config_;
    std::array<float, Size> window_;
    std::array<float, Size> samples_;
};

} // namespace audiolib
