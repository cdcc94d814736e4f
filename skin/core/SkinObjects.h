#pragma once
// The skin objects a skin description is made of. Each holds one image of `Frames` equal cells (one per
// state) and the fixed edges that are never stretched; the painters read nothing else. Images are
// ARGB32_Premultiplied and opaque as read: magenta stays magenta, and only the transparent draw keys it.
#include "platform_gui/Color.h"

#include <QImage>
#include <QMargins>
#include <QString>
#include <utility>

// "No colour" for the per-state text colours.
constexpr platform::TColor NoTextColour = -1;

class TDataSkinObject {
public:
    TDataSkinObject() = default;
    explicit TDataSkinObject(QString name) : Name(std::move(name)) {}

    QMargins Edges() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }

    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    QImage Image;
    // 1: magenta pixels are transparent when drawn.
    int Trans = 0;
    // 1: the centre is tiled instead of stretched. For the borders this slot holds their Stretch key,
    // where 1 means stretched.
    int Tile = 0;
    QString Name;
    // Cells in Image; at least 1.
    int Frames = 1;
    int Style = 0;
    platform::TColor NormalColour = NoTextColour;
    platform::TColor MouseOverColour = NoTextColour;
    platform::TColor PressedColour = NoTextColour;
    platform::TColor NormalColour2 = 0;
    platform::TColor MouseOverColour2 = 0;
    platform::TColor PressedColour2 = 0;
};

// The window borders, and the objects with a second image: Tabs (Border), Progress (Chunk), ComboButton
// (its image mirrored) and the up-down objects (GlyphImage).
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    QImage Image2;
};

// The caption title. Its edge slots hold TextShift (LeftWidth), TextShiftVert (TopHeight) and
// TextRightClip (RightWidth).
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int TextAlignment = 0;
    int Textbackground = 0;
    int FontHeight = 14;
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    platform::TColor ActiveTextColour = platform::clNone;
    platform::TColor InactiveTextColour = platform::clNone;
};

// Push buttons (Image), check boxes and radio buttons.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    QImage CheckButton;
    QImage RadioButton;
    int RadioButtonFrame = 0;
    int CheckButtonFrame = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// One caption button; its Image is the section's ButtonImage.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int Action = 0;
    int Align = 0;
    int Xcoord = 0;
    int Ycoord = 0;
    int CombineOp = -1;
    int Visibility = 0;
    int Visibility1 = 0;
};

// The group-box label.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int BackgroundLeftShift = 0;
    int BackgroundRightShift = 0;
    int BackgroundAlignment = 0;
};
