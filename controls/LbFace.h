#pragma once
// What the push button and the speed button share: the face styles, the colour presets, the face
// colour of a hot-tracked face fading back, the glyph cell of a state, and the face painter.
#include "platform_gui/Bitmap.h"
#include "platform_gui/Canvas.h"
#include "platform_gui/Color.h"

#include <QFont>
#include <QImage>
#include <QString>

enum TLbButtonStyle { bsNormal, bsEncarta, bsKDE, bsModern, bsOld, bsShape, bsQuicken };
using TLbSpeedButtonStyle = TLbButtonStyle;
enum TLbButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using TLbSpeedButtonLayout = TLbButtonLayout;
enum TLbColorStyle {
    lcsCustom,
    lcsGold,
    lcsChrome,
    lcsBlue,
    lcsRed,
    lcsUltraFlat1,
    lcsUltraFlat2,
    lcsUltraFlatXP,
    lcsAqua,
    lcsDefault,
    lcsQuicken,
    lcsKDE
};
enum TLbAlignment { taLeftJustify, taRightJustify, taCenter };

// The colours, flat flag, face style and font colour a colour style writes into a button.
struct TLbColorPreset {
    platform::TColor Color;
    platform::TColor LightColor;
    platform::TColor ShadowColor;
    platform::TColor ColorWhenDown;
    platform::TColor HotTrackColor;
    bool Flat;
    TLbButtonStyle Style;
    platform::TColor FontColor;
};

// The preset of a colour style; nullptr for lcsCustom, which writes nothing.
const TLbColorPreset* LbColorPreset(TLbColorStyle style);

// The face colour as RGB: the colour, drawn towards the hot-track colour by fadeLevel eighths while
// enabled, or the down colour while pressed. clNone for hot or down means none.
platform::TColor LbFaceColor(platform::TColor color, platform::TColor hotTrack, int fadeLevel, bool enabled,
                             bool pressed, platform::TColor colorWhenDown);

// The cell of the glyph strip for a state: 0 normal, 1 disabled, 2 pressed, 3 hot.
int LbGlyphCell(int numGlyphs, bool hotInput, bool pressed, bool enabled);

// The painter's inputs.
struct TLbFace {
    int Width = 0;
    int Height = 0;
    TLbAlignment Alignment = taCenter;
    QString Caption;
    TLbButtonLayout Layout = blGlyphLeft;
    platform::TFont Font;
    platform::TColor ShadowColor = 0x808080;
    platform::TColor LightColor = platform::clWhite;
    platform::TColor HotTrackColor = platform::clNone;
    platform::TColor ColorWhenDown = platform::clNone;
    platform::TColor Color = platform::clBtnFace;
    TLbButtonStyle Style = bsNormal;
    bool PopupAttached = false;
    bool WordWrap = false;
    bool Flat = false;
    bool Enabled = true;
    bool Transparent = false; // no face fill
    bool HotInput = false;
    bool Pressed = false;
    const platform::TBitmap* Glyph = nullptr;
    int NumGlyphs = 0;
    int FadeLevel = 0;
};

// The face, frame, glyph cell, caption and drop-down arrow of a button.
void PaintLbFace(platform::TCanvas& canvas, const TLbFace& face);

// The caption without its last letters until it is at most maxWidth wide; no ellipsis.
QString LbCutCaption(platform::TCanvas& canvas, const QString& caption, int maxWidth);

// The image with its magenta (0xFF00FF) pixels made transparent.
QImage LbKeyOutMagenta(const QImage& image);
