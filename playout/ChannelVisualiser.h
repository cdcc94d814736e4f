#pragma once
// The sound of a channel's entry on air in its small box: a spectrum, a circle scope or an
// oscilloscope, one chosen at a time, fed from the slot's stream frame by frame.
#include "playout/CircleScope.h"
#include "playout/FrequencyBars.h"
#include "playout/OcilloScope.h"

#include <array>
#include <cstdint>

class TVisualTarget;

// The spectrum's channel settings: green bars 5 wide, 80 high at most, red peaks, every second band.
void SetChannelSpectrum(TSpectrum& spectrum);

class TChannelVisualiser {
public:
    // The three in the channel's colours and sizes, the spectrum chosen.
    TChannelVisualiser(int width, int height);

    // 0 circle, 1 oscilloscope, 2 spectrum.
    int VisualMode() const { return visualMode_; }
    // The next one: 2, 0, 1, 2.
    void NextMode() { visualMode_ = (visualMode_ + 1) % 3; }
    // The box changed size: all three draw at the new one.
    void SetSize(int width, int height);
    // One frame of what the slot plays, by the chosen one, handed to the target.
    void DrawFrame(int slot, TVisualTarget& target);

private:
    int visualMode_ = 2;
    TCircleScope circle_;
    TOcilloScope scope_;
    TSpectrum spectrum_;
    // Filled from the library each frame; made once.
    std::array<int16_t, 1024> samples_{}; // 512 stereo frames, 2048 bytes
    std::array<float, 512> fft_{};
};
