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
constexpr int SysHighlightText = 14;

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

// Plain values keep their low 24 bits; system colours resolve through the table. clNone is no
// colour at all and gives a fully transparent QColor, so nothing is painted by mistake.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
// The plain 0x00BBGGRR value of a colour, system colours resolved.
TColor ColorToRGB(TColor color);

// The same colour, where a system colour may be written either way: 0xFF0000nn as the drawing
// routines write it, or 0x800000nn as SystemColor makes it.
bool SameColor(TColor a, TColor b);

// Named colours with the values the drawing routines use.
constexpr TColor NamedSystemColor(int number)
{
    return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(number));
}
constexpr TColor clScrollBar = NamedSystemColor(0);
constexpr TColor clBackground = NamedSystemColor(1);
constexpr TColor clActiveCaption = NamedSystemColor(2);
constexpr TColor clInactiveCaption = NamedSystemColor(3);
constexpr TColor clMenu = NamedSystemColor(4);
constexpr TColor clWindow = NamedSystemColor(5);
constexpr TColor clWindowFrame = NamedSystemColor(6);
constexpr TColor clMenuText = NamedSystemColor(7);
constexpr TColor clWindowText = NamedSystemColor(8);
constexpr TColor clCaptionText = NamedSystemColor(9);
constexpr TColor clActiveBorder = NamedSystemColor(10);
constexpr TColor clInactiveBorder = NamedSystemColor(11);
constexpr TColor clAppWorkSpace = NamedSystemColor(12);
constexpr TColor clHighlight = NamedSystemColor(13);
constexpr TColor clHighlightText = NamedSystemColor(14);
constexpr TColor clBtnFace = NamedSystemColor(15);
constexpr TColor clBtnShadow = NamedSystemColor(16);
constexpr TColor clGrayText = NamedSystemColor(17);
constexpr TColor clBtnText = NamedSystemColor(18);
constexpr TColor clInactiveCaptionText = NamedSystemColor(19);
constexpr TColor clBtnHighlight = NamedSystemColor(20);
constexpr TColor cl3DDkShadow = NamedSystemColor(21);
constexpr TColor cl3DLight = NamedSystemColor(22);
constexpr TColor clInfoText = NamedSystemColor(23);
constexpr TColor clInfoBk = NamedSystemColor(24);
constexpr TColor clHotLight = NamedSystemColor(26);
constexpr TColor clGradientActiveCaption = NamedSystemColor(27);
constexpr TColor clGradientInactiveCaption = NamedSystemColor(28);
constexpr TColor clMenuHighlight = NamedSystemColor(29);
constexpr TColor clMenuBar = NamedSystemColor(30);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// "No colour" (matches no pixel, paints nothing) and "the control's default".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

} // namespace platform
