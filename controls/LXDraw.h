#pragma once
// The control library's stateless painting routines: button faces in the fourteen looks, bevels,
// borders, arrows, gradients, block alignment and the grey glyph. They paint through the canvas only
// and keep nothing between calls.
#include "controls/LXTypes.h"
#include "platform_gui/Bitmap.h"
#include "platform_gui/Canvas.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Face flags of DrawButtonFace.
inline constexpr unsigned ffButton = 0x1;       // always set by buttons
inline constexpr unsigned ffDefault = 0x2;      // default frame and focus rectangle
inline constexpr unsigned ffRaisedBorder = 0x4; // the raised-border variant of ubsWin40
inline constexpr unsigned ffSunkenEdge = 0x8;   // a sunken edge while pressed
inline constexpr unsigned ffFillMiddle = 0x10;
inline constexpr unsigned ffFocused = 0x20;
inline constexpr unsigned ffHot = 0x40;
inline constexpr unsigned ffToolPart = 0x80;
inline constexpr unsigned ffToolDropDown = 0x100;

// The look actually painted: the XP looks need themed painting, without it they fall back to
// their classic neighbours; ubsAutoDetect is the XP look when themed.
TLXUserButtonStyle AdjustButtonLook(TLXUserButtonStyle look, bool themed);

// The theme class, part and state a themed face paints; state 4 (disabled) wins over pressed.
struct TLXThemePart {
    const char* ClassName = nullptr;
    int Part = 0;
    int State = 0;
};
TLXThemePart ThemedButtonPart(TLXUserButtonStyle look, unsigned faceFlags, int drawState, bool hot);

// The classic face kind of a look: 1, 2, 3, 4, 5 or 10.
int ClassicFaceKind(TLXUserButtonStyle look, unsigned faceFlags);

// Paints the face; rect becomes the content area. The control is only for themed painting.
bool DrawButtonFace(QWidget* control, platform::TCanvas& canvas, bool hot, platform::TColor color,
                    unsigned faceFlags, int drawState, TLXUserButtonStyle look, platform::TRect& rect);
void DrawClassicButtonFace(platform::TCanvas& canvas, bool hot, platform::TRect& rect, platform::TColor color,
                           unsigned faceFlags, int drawState, TLXUserButtonStyle look);

// False, painting nothing, for bvNone, bvShadow and width 0; otherwise rect shrinks by the bevel.
bool DrawBevel(platform::TCanvas& canvas, platform::TRect& rect, TLXBevelStyle style, int width,
               platform::TColor shadow, platform::TColor light);
void DrawShadowFrame(platform::TCanvas& canvas, platform::TRect& rect, platform::TColor frame, bool noCorners,
                     int frameCount, int depth, platform::TColor corner, platform::TColor shadow);
int BorderStyleWidth(TLXBorderStyle style);
bool DrawBorder(platform::TCanvas& canvas, platform::TRect& rect, TLXBorderStyle style, unsigned extraFlags);
// A filled triangle of the given size (2 to 15); a disabled one is embossed.
void DrawArrow(platform::TCanvas& canvas, int x, int y, bool enabled, bool down, platform::TColor color,
               int size);

// Gradient flags.
inline constexpr unsigned gfClip = 0x1;
inline constexpr unsigned gfOffscreen = 0x4;
inline constexpr unsigned gfPalette = 0x1000; // palettes mean nothing in true colour
void FillGradient(platform::TCanvas& canvas, const platform::TRect& rect, TLXGradientStyle style,
                  int clipOffset, unsigned flags, const QList<platform::TColor>& steps);

// The block's size placed in the target by the alignment; a larger block gets negative offsets.
platform::TRect AlignRect(TLXAlignment alignment, const platform::TRect& block,
                          const platform::TRect& target);

// The bitmap sized to the rectangle and filled with the colour.
void FillBitmap(platform::TBitmap& bitmap, const platform::TRect& rect, platform::TColor color);

// A four-level grey copy; the top-left pixel's colour is the background and stays.
void MakeGreyGlyph(platform::TBitmap& target, const platform::TBitmap& source);

// An embossed copy for a disabled state: the target (the source's size when empty) filled with the
// source's transparent colour, then every pixel of the source that is neither that colour nor white
// in clBtnHighlight at (x + 1, y + 1) and in clBtnShadow at (x, y).
void MakeDisabledGlyph(platform::TBitmap& target, const platform::TBitmap& source, int x, int y);

// Every delimiter ends a piece; the rest after the last one is a piece unless empty.
void SplitDelimited(const QString& text, QChar delimiter, QStringList& list);
