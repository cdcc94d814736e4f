#include "playout/OcilloScope.h"

TOcilloScope::TOcilloScope(int width, int height) : TVisualiser(width, height) {}

void TOcilloScope::Draw(TVisualTarget& target, std::span<const int16_t> samples, int y0, int x0)
{
    if (!BeginFrameBackInsteadOfFill())
        return;
    const QRgb pen = Rgb(PenColor);
    for (int s = 0; s < Points; ++s) {
        const int y = Truncate(FrameSum(samples, static_cast<int64_t>(s) * Step) / 131070.0 * Scale);
        if (s == 0) {
            MoveTo(x0, y0 + y);
        } else if (DrawMode == 0) {
            LineTo(x0 + s, y0 + y, pen);
        } else if (DrawMode == 1) {
            MoveTo(x0 + s, y0);
            LineTo(x0 + s, y0 + y, pen);
        } else if (DrawMode == 2) {
            SetPixel(x0 + s, y0 + y, pen);
        }
    }
    EndFrame(target);
}
