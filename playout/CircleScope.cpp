#include "playout/CircleScope.h"

#include <cmath>

TCircleScope::TCircleScope(int width, int height) : TVisualiser(width, height)
{
    Step = 2;
}

int TCircleScope::PointRadius(std::span<const int16_t> samples, int p) const
{
    return Truncate(FrameSum(samples, static_cast<int64_t>(p) * Step) / 131070.0 * Scale) + Radius;
}

void TCircleScope::Draw(TVisualTarget& target, std::span<const int16_t> samples, int y0, int x0)
{
    if (!BeginFrame())
        return;
    const QRgb pen = Rgb(PenColor);
    const int first = PointRadius(samples, 0);
    MoveTo(x0, y0 + first);
    for (int p = 1; p <= 254; ++p) {
        // Single precision and 6.28 for a full turn: the figure stays open by a hair before it closes.
        const float angle = static_cast<float>(p) / 256.0f * 6.28f;
        const int r = PointRadius(samples, p);
        const int x = x0 + Truncate(std::sin(static_cast<double>(angle)) * r);
        const int y = y0 + Truncate(std::cos(static_cast<double>(angle)) * r);
        if (DrawMode == 0) {
            LineTo(x, y, pen);
        } else if (DrawMode == 1) {
            MoveTo(x0, y0);
            LineTo(x, y, pen);
        } else if (DrawMode == 2) {
            SetPixel(x, y, pen);
        }
    }
    LineTo(x0, y0 + first, pen);
    EndFrame(target);
}
