#pragma once
// The pixels of a line by the classic stepping rule, from one point towards another with the end
// pixel left out, as the original platform's lines are drawn. Shared by the canvas and by drawings
// that write their pixels straight into an image.
#include "platform_gui/Geometry.h"

#include <cstdlib>

namespace platform {

template <class Visit> void StepLine(TPoint from, TPoint to, Visit visit)
{
    int x = from.X;
    int y = from.Y;
    const int dx = std::abs(to.X - x);
    const int dy = -std::abs(to.Y - y);
    const int sx = x < to.X ? 1 : -1;
    const int sy = y < to.Y ? 1 : -1;
    int error = dx + dy;
    while (x != to.X || y != to.Y) {
        visit(x, y);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

} // namespace platform
