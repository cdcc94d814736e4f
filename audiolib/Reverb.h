#pragma once
// Effect type 8, a reverb of our own design: the input, mixed to mono, is smeared by two Schroeder
// all-pass diffusers and fed to an eight-line feedback delay network (Hadamard feedback). Each line's
// gain sets the reverb time, and a one-pole low-pass in each loop makes the high frequencies die
// away faster by the high-frequency ratio. Output = dry × input gain + wet × mix.
#include "audiolib/AudioLib.h"
#include "audiolib/Effect.h"

#include <array>
#include <vector>

namespace audiolib {

class Reverb final : public Effect {
public:
    explicit Reverb(int rate);

    void Process(float* stereo, int64_t frames) override;
    bool SetParameters(const void* record) override;
    void GetParameters(void* record) const override;

    static constexpr size_t Lines = 8;

private:
    void UpdateGains();

    struct Delay {
        std::vector<float> buffer;
        size_t position = 0;
        float Read() const { return buffer[position]; }
        void Write(float value);
    };
    struct Diffuser {
        Delay delay;
        float Process(float input);
    };
    struct Line {
        Delay delay;
        float b = 0.0f; // the loop's low-pass: y = b·x + a·y, gain and damping in one
        float a = 0.0f;
        float state = 0.0f;
    };

    const int rate_;
    ReverbParameters parameters_;
    float dry_ = 1.0f;
    float wet_ = 0.0f;
    std::array<Diffuser, 2> diffusers_;
    std::array<Line, Lines> lines_;
};

} // namespace audiolib
