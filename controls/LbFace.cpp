#include "controls/LbFace.h"

using platform::clBtnFace;
using platform::clNone;
using platform::TColor;

namespace {

constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;

// In TLbColorStyle order from lcsGold.
constexpr TLbColorPreset Presets[] = {
    {0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, bsModern, Black},    // lcsGold
    {0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, bsModern, Black},      // lcsChrome
    {0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, bsModern, Black},      // lcsBlue
    {0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, bsModern, Black},      // lcsRed
    {clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, bsNormal, Black},  // lcsUltraFlat1
    {clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, bsNormal, Black},  // lcsUltraFlat2
    {0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, bsNormal, Black},   // lcsUltraFlatXP
    {0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, bsModern, Black},      // lcsAqua
    {clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, bsNormal, Black},     // lcsDefault
    {0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, bsQuicken, White}, // lcsQuicken
    {clBtnFace, 0xFFFFFF, clBtnFace, clBtnFace, 0xFFFFFF, false, bsKDE, Black},  // lcsKDE
};

} // namespace

const TLbColorPreset* LbColorPreset(TLbColorStyle style)
{
    if (style <= lcsCustom || style > lcsKDE)
        return nullptr;
    return &Presets[style - lcsGold];
}

TColor LbFaceColor(TColor color, TColor hotTrack, int fadeLevel, bool enabled, bool pressed,
                   TColor colorWhenDown)
{
    if (enabled && pressed && colorWhenDown != clNone)
        return colorWhenDown;
    const QColor face = platform::ToQColor(color);
    if (!enabled || hotTrack == clNone)
        return platform::FromQColor(face);
    const QColor hot = platform::ToQColor(hotTrack);
    const double k = fadeLevel / 8.0;
    const auto mix = [k](int from, int to) { return static_cast<int>(from * (1.0 - k) + to * k); };
    return platform::FromQColor(
        QColor(mix(face.red(), hot.red()), mix(face.green(), hot.green()), mix(face.blue(), hot.blue())));
}

int LbGlyphCell(int numGlyphs, bool hotInput, bool pressed, bool enabled)
{
    if (!enabled)
        return numGlyphs > 1 ? 1 : 0; // a one-cell strip has no disabled cell
    if (pressed && numGlyphs > 2)
        return 2;
    if (hotInput && numGlyphs > 3)
        return 3;
    return 0;
}
