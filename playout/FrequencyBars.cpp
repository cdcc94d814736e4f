#include "playout/FrequencyBars.h"

#include <algorithm>
#include <cmath>

TSpectrum::TSpectrum(int width, int height) : TVisualiser(width, height) {}

int TSpectrum::BandHeight(float value) const
{
    const double height = std::fabs(static_cast<double>(value)) * 500;
    if (std::isnan(height))
        return 0;
    return height < MaxHeight ? static_cast<int>(height) : MaxHeight;
}

void TSpectrum::Draw(TVisualTarget& target, std::span<const float> data, int y0, int x0)
{
    if (!BeginFrame())
        return;
    const QRgb bar = Rgb(BarColor);
    const QRgb peak = Rgb(PeakColor);
    const int bottom = y0 + Height();
    for (int r = 0; r < Bands; ++r) {
        const int v = BandHeight(At(data, static_cast<int64_t>(r) * Step));
        Peaks[r] = std::max(v < Peaks[r] ? Peaks[r] - PeakFall : v, 0);
        Bars[r] = std::max(v < Bars[r] ? Bars[r] - BarFall : v, 0);
        if (DrawMode == 0) {
            MoveTo(x0 + r, bottom);
            LineTo(x0 + r, bottom - Bars[r], bar);
            if (ShowPeaks)
                SetPixel(x0 + r, bottom - Peaks[r], bar);
        } else if (DrawMode == 1) {
            const int left = x0 + (BarWidth + 1) * r;
            if (ShowPeaks) {
                MoveTo(left, bottom - Peaks[r]);
                LineTo(left + BarWidth, bottom - Peaks[r], peak);
            }
            FillRect(left, bottom - Bars[r], left + BarWidth, bottom, bar);
        }
    }
    EndFrame(target);
}
