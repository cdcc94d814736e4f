#include "platform_gui/Color.h"

#include <array>

namespace platform {

namespace {

struct Rgb {
    uint8_t r, g, b;
};

// The classic desktop scheme, by system colour number.
constexpr std::array<Rgb, SystemColorCount> ClassicSystemColors = {{
    {212, 208, 200}, // 0 scroll bar
    {58, 110, 165},  // 1 desktop background
    {10, 36, 106},   // 2 active caption
    {128, 128, 128}, // 3 inactive caption
    {212, 208, 200}, // 4 menu
    {255, 255, 255}, // 5 window
    {0, 0, 0},       // 6 window frame
    {0, 0, 0},       // 7 menu text
    {0, 0, 0},       // 8 window text
    {255, 255, 255}, // 9 caption text
    {212, 208, 200}, // 10 active border
    {212, 208, 200}, // 11 inactive border
    {128, 128, 128}, // 12 application work space
    {10, 36, 106},   // 13 highlight
    {255, 255, 255}, // 14 highlight text
    {212, 208, 200}, // 15 button face
    {128, 128, 128}, // 16 button shadow
    {128, 128, 128}, // 17 grey text
    {0, 0, 0},       // 18 button text
    {212, 208, 200}, // 19 inactive caption text
    {255, 255, 255}, // 20 button highlight
    {64, 64, 64},    // 21 3-D dark shadow
    {212, 208, 200}, // 22 3-D light
    {0, 0, 0},       // 23 tooltip text
    {255, 255, 225}, // 24 tooltip background
    {0, 0, 0},       // 25 unassigned
    {0, 0, 128},     // 26 hot-tracked item
    {166, 202, 240}, // 27 active caption gradient
    {192, 192, 192}, // 28 inactive caption gradient
    {10, 36, 106},   // 29 menu highlight
    {212, 208, 200}, // 30 menu bar
}};

} // namespace

QColor SystemColorRgb(int number)
{
    if (number < 0 || number >= SystemColorCount)
        return QColor(0, 0, 0);
    const Rgb& rgb = ClassicSystemColors[static_cast<size_t>(number)];
    return QColor(rgb.r, rgb.g, rgb.b);
}

QColor ToQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    const auto value = static_cast<uint32_t>(color);
    if (IsSystemColor(color))
        return SystemColorRgb(static_cast<int>(value & 0xFF));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color)
{
    return static_cast<TColor>(static_cast<uint32_t>(color.red()) |
                               (static_cast<uint32_t>(color.green()) << 8) |
                               (static_cast<uint32_t>(color.blue()) << 16));
}

TColor ColorToRGB(TColor color)
{
    return IsSystemColor(color) ? FromQColor(ToQColor(color)) : (color & 0xFFFFFF);
}

bool SameColor(TColor a, TColor b)
{
    const auto key = [](TColor color) {
        const auto value = static_cast<uint32_t>(color);
        return IsSystemColor(color) ? (0x80000000u | (value & 0xFF)) : value;
    };
    return key(a) == key(b);
}

} // namespace platform
