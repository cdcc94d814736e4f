#pragma once
// The waveform of what plays along a line: 257 points of the sum of the two channels, a positive sum
// below the baseline.
#include "playout/Visualiser.h"

class TOcilloScope : public TVisualiser {
public:
    static constexpr int Points = 257;

    TOcilloScope(int width, int height);

    int Scale = 50; // pixels for a full-scale sum of the two channels
    platform::TColor PenColor = platform::clWhite;

    // One frame of interleaved 16-bit stereo samples (DrawMode 0 a line through the points, 1 a line
    // from the baseline to each, 2 the points alone), baseline y0 from x0, handed whole to the target.
    // Frames the data does not hold read as silence.
    void Draw(TVisualTarget& target, std::span<const int16_t> samples, int y0, int x0);
};
