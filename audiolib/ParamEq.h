#pragma once
// Effect type 7, one band of parametric equaliser: a peaking biquad (the audio-EQ cookbook's) per
// channel. At a gain of 0 dB its coefficients cancel exactly, so it passes the signal unchanged.
#include "audiolib/AudioLib.h"
#include "audiolib/Effect.h"

#include <array>

namespace audiolib {

class ParamEq final : public Effect {
public:
    explicit ParamEq(int rate);

    void Process(float* stereo, int64_t frames) override;
    bool SetParameters(const void* record) override;
    void GetParameters(void* record) const override;

private:
    void UpdateCoefficients();

    struct History {
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    };

    const int rate_;
    ParamEqParameters parameters_;
    // Normalised by a0; direct form I, which keeps its state meaningful across parameter changes.
    double b0_ = 1.0, b1_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    std::array<History, 2> history_{};
};

} // namespace audiolib
