#pragma once
// Colours as the system stores them: 0x00BBGGRR (0x0000FF is red). A value with the top bit set
// names a system colour by its low byte; those resolve through one fixed table of the classic
// desktop colours, so every window paints them alike whatever the desktop theme.
#include <QColor>
#include <cstdint>

namespace platform {

using TColor = int32_t;

constexpr TColor SystemColorFlag = static_cast<TColor>(0x80000000u);
constexpr int SystemColorCount = 31; // numbers 0..30; 25 is unassigned

constexpr int SysWindowText = 8; // the default colour of text

constexpr TColor SystemColor(int number)
{
    return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(number));
}
constexpr bool IsSystemColor(TColor color)
{
    return (static_cast<uint32_t>(color) & 0x80000000u) != 0;
}

// The classic RGB of a system colour number; black for a number outside the table.
QColor SystemColorRgb(int number);

// Plain values keep their low 24 bits; system colours resolve through the table.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

} // namespace platform
