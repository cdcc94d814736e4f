#include "controls/LXColorRamp.h"

#include "platform/Numbers.h"

using namespace platform;

TColor BlendColor(TColor a, TColor b, int k, int n)
{
    a = ColorToRGB(a);
    if (n == 0)
        return a;
    b = ColorToRGB(b);
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        const int channel = ca + static_cast<int>(static_cast<double>(k) * (cb - ca) / n);
        result |= (channel & 0xFF) << shift;
    }
    return result;
}

void BuildColorRamp(TColor a, TColor b, int count, bool restart, QList<TColor>* list)
{
    if (!list || count <= 0)
        return;
    if (restart)
        list->clear();
    a = ColorToRGB(a);
    b = ColorToRGB(b);
    for (int k = restart ? 0 : 1; k < count; ++k) {
        // A single step is its start colour; the ramp formula would divide by zero.
        TColor step = count == 1 ? a : 0;
        for (int shift = 0; shift <= 16 && count > 1; shift += 8) {
            const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
            step |= ((ca + MulDiv(k, cb - ca, count - 1)) & 0xFF) << shift;
        }
        list->append(step);
    }
}

std::optional<TLXPalette> CreateRampPalette(const QList<TColor>& colors)
{
    if (colors.isEmpty())
        return std::nullopt;
    return TLXPalette{colors};
}
