#pragma once
// The geometry of a skinned frame, as pure functions of the skin objects and the window's state: the
// frame widths, the caption-button rules (visibility, action, place), the title's place and the hit
// test of a point. The window skinner asks these; the painter draws what they place.
#include "platform_gui/WindowMeta.h"
#include "skin/core/SkinObjects.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

// The engine's border kinds.
enum TBorderKind { bkSizable = 0, bkSingle = 1, bkNone = 2, bkDialog = 3 };

// Dialogs and message boxes take the dialog kind; a frameless window none.
TBorderKind BorderKindOf(const platform::WindowMeta& meta, bool messageBox);

// The frame the skin paints: left and right border widths, caption and bottom heights.
struct FrameMetrics {
    int Left = 0;
    int Caption = 0;
    int Right = 0;
    int Bottom = 0;
    QMargins Margins() const { return {Left, Caption, Right, Bottom}; }
    friend bool operator==(const FrameMetrics&, const FrameMetrics&) = default;
};

// Top and Bottom hold their cells stacked, Left and Right side by side; a window without a border gets
// no frame.
FrameMetrics ComputeFrameMetrics(const TDataSkinBorder& left, const TDataSkinBorder& top,
                                 const TDataSkinBorder& right, const TDataSkinBorder& bottom,
                                 TBorderKind kind);

// What the caption-button rules ask of the window.
struct CaptionState {
    TBorderKind Kind = bkSizable;
    bool MessageBox = false;
    bool Maximized = false;
    bool Active = true;
    bool SystemMenu = true;
    bool MinimizeBox = true;
    bool MaximizeBox = true;
    // Codes 1000 to 2000 ask the window (Visibility, Action); none: not shown.
    std::function<bool(int visibility, int action)> AskWindow;
};

bool VisibilityHolds(int code, const CaptionState& state);
bool Visibility1Holds(int code, bool visibilityResult, const CaptionState& state);
// Close needs a system menu, maximise and minimise their boxes, the window menu a border that is no
// dialog's.
bool ActionAllows(int action, const CaptionState& state);
bool CaptionButtonShown(const TDataSkinSysButton& button, const CaptionState& state);

// The place of a shown button of the size (cell width by image height) in a window of the width, next
// to the title text; an empty rectangle for an Align this system does not place (the menu bar's 100,
// and values the skin format does not define).
QRect CaptionButtonRect(const TDataSkinSysButton& button, QSize size, int windowWidth,
                        const QRect& titleText);

// Where the title goes: the strip behind the text over the caption's height, and the text itself.
struct TitlePlacement {
    QRect Back;
    QRect Text;
};

// textSize: the title with its two leading spaces and one trailing space, measured in the caption
// font. Dialog-kind windows are the popup-style ones, clipped at the largest left edge of the Align 1
// buttons (alignOneLeft, 0 when none) less 5.
TitlePlacement PlaceTitle(const TDataSkinTitle& title, QSize textSize, int windowWidth, int captionHeight,
                          TBorderKind kind, bool rightToLeft, int alignOneLeft);

// The parts of a skinned window a point can fall on.
enum class HitPart {
    Client,
    Caption,
    Button,
    Menu,
    Border,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight
};

struct HitResult {
    HitPart Part = HitPart::Client;
    int Button = -1; // index into the button rectangles
    friend bool operator==(const HitResult&, const HitResult&) = default;
};

// A sizable window resizes from its top three rows and its side and bottom borders; the rest of the
// caption is the caption or a button under the point. A maximised window does not move: its caption
// answers Menu. buttons: the rectangles of the shown buttons with an Action of 0 or more (others empty).
HitResult HitTest(QPoint point, QSize window, const FrameMetrics& frame, bool sizable, bool maximized,
                  const std::vector<QRect>& buttons);
