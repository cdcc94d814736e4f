#pragma once
// Bars of the spectrum of what plays: 129 bands of the library's FFT, as lines or bars, falling
// slowly after the sound, with peak marks that fall slower still.
#include "playout/Visualiser.h"

#include <array>

class TSpectrum : public TVisualiser {
public:
    static constexpr int Bands = 129;

    TSpectrum(int width, int height);

    int MaxHeight = 100;
    platform::TColor BarColor = platform::clWhite;
    platform::TColor PeakColor = platform::clYellow;
    bool ShowPeaks = true;
    int PeakFall = 1;
    int BarFall = 3;
    int BarWidth = 5;

    // Heights of the marks carried from frame to frame; kept when the size changes.
    std::array<int, Bands> Peaks{};
    std::array<int, Bands> Bars{};

    // One frame from the FFT values (DrawMode 0 lines, 1 bars) at the offset (x0, y0), handed whole to
    // the target. Values the data does not hold read as zero.
    void Draw(TVisualTarget& target, std::span<const float> data, int y0, int x0);

private:
    int BandHeight(float value) const;
};
