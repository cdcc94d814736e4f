#pragma once
// Text as the library's controls paint it: measured and aligned with its 3D or rotated effects,
// painted in passes of light, shadow and base colour, and laid out together with a glyph and a
// drop-down arrow. Measuring and painting go through the canvas's DrawText, ExtTextOut and text path.
#include "controls/LXAppearance.h"
#include "controls/LXTypes.h"
#include "platform_gui/Bitmap.h"
#include "platform_gui/Canvas.h"

#include <QString>

// Flags of DrawFxText (DrawGlyphAndText passes its own flags on, so they share these values).
inline constexpr unsigned fxDisabled = 0x1;
inline constexpr unsigned fxEnabled = 0x2;    // the text's own colours; else clGrayText
inline constexpr unsigned fxAutoSunken = 0x4; // disabled text of the dsAuto style painted sunken
inline constexpr unsigned fxClip = 0x8;       // to the clip rectangle, or the text rectangle

// The effect margin of a caption: what its light and shadow copies add to width and height.
int EffectMargin(const TLX3DCaption& effects);

// The size of the painted text in rect (its left and top stay; with word break its width is the
// limit). Rotated FX captions get their text origin (PosX, PosY) set; unrotated ones get (0, 0)
// silently. Right and bottom then move out by 2 x (extraMargin + 1). The canvas's font measures.
void MeasureFxText(platform::TCanvas& canvas, const QString& text, TLX3DCaption* effects,
                   platform::TRect& rect, unsigned textFormat, int extraMargin, bool prefix, bool wordBreak);
// The same on a screen-like surface with the font.
void MeasureFxText(const QString& text, TLX3DCaption* effects, platform::TRect& rect, unsigned textFormat,
                   int extraMargin, bool prefix, bool wordBreak, const platform::TFont& font);

// The measured text block (in a target one pixel narrower) aligned in the target.
platform::TRect AlignTextRect(TLXAlignment alignment, const QString& text, TLX3DCaption* effects,
                              unsigned textFormat, bool prefix, bool wordBreak, const platform::TFont& font,
                              const platform::TRect& target);

// Plain text through DrawText without effects; otherwise the style's passes. Nothing for no text or
// an empty rectangle. The canvas's font, brush and character extra are as before afterwards.
void DrawFxText(platform::TCanvas& canvas, const QString& text, const TLX3DCaption* effects,
                const platform::TRect* clip, unsigned flags, unsigned textFormat,
                const platform::TRect& rect);

// Flags of DrawGlyphAndText, besides fxEnabled, fxDisabled and fxAutoSunken.
inline constexpr unsigned gtMeasureOnly = 0x20; // the block at the target's top-left, nothing painted
inline constexpr unsigned gtFocusText = 0x40;   // focus rectangle around the text
inline constexpr unsigned gtFocusGlyph = 0x80;  // focus rectangle on the glyph
inline constexpr unsigned gtFocusAll = 0x100;   // focus rectangle around text and glyph
inline constexpr unsigned gtNoText = 0x200;     // paints nothing; implies gtFocusAll
inline constexpr unsigned gtKeepInside = 0x400; // the text rectangle ends inside the target

struct TLXGlyphTextRects {
    platform::TRect Bounds; // text and glyph together
    platform::TRect Text;
    platform::TRect Glyph;
};

// Lays out text and glyph (the area glyphSource of glyph, through mask when one is given) in target
// by the layout and paints them with the layout's drop-down arrow. Answers the focus rectangle.
platform::TRect DrawGlyphAndText(platform::TCanvas& canvas, const QString& text, TLX3DCaption* effects,
                                 TLXGlyphTextRects& rects, unsigned textFormat, unsigned flags,
                                 bool transparent, bool prefix, bool wordBreak,
                                 const TLXGlyphTextLayout& layout, platform::TColor transparentColor,
                                 const platform::TBitmap* mask, const platform::TRect& glyphSource,
                                 const platform::TBitmap* glyph, const platform::TRect& target);

// Whether text in the font can be turned: a scalable outline font.
bool IsTrueTypeFont(const platform::TFont& font);
bool IsTrueTypeCanvas(platform::TCanvas& canvas);
