#pragma once
// The waveform of what plays around a circle: the sum of the two channels moves each point away from
// or towards the centre.
#include "playout/Visualiser.h"

class TCircleScope : public TVisualiser {
public:
    TCircleScope(int width, int height);

    int Scale = 30;  // pixels for a full-scale sum of the two channels
    int Radius = 30; // of a silent frame
    platform::TColor PenColor = platform::clWhite;

    // One frame of interleaved 16-bit stereo samples around the centre (x0, y0) (DrawMode 0 a closed
    // line through the points, 1 spokes from the centre, 2 the points alone), handed whole to the
    // target. Frames the data does not hold read as silence.
    void Draw(TVisualTarget& target, std::span<const int16_t> samples, int y0, int x0);

private:
    int PointRadius(std::span<const int16_t> samples, int p) const;
};
