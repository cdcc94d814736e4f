#pragma once
// The drawing routines the control painters and the menu painter share.
#include "skin/core/SkinObjects.h"

#include <QMargins>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStyle>

class QPainter;
class QStyleOption;
class QWidget;

// The cell of a button-like control's state: 3 when disabled whatever else holds, 2 pressed (or held
// down: a toggled button, a dropped-down combo box), 4 under the mouse or focused, else 1.
int PushStateCell(QStyle::State state);

// Qt::TextShowMnemonic where the style underlines shortcuts for the control now, else
// Qt::TextHideMnemonic.
int MnemonicFlag(const QStyle& style, const QStyleOption& option, const QWidget* widget);

// Cell `cell` of `frames` side-by-side cells of the object, built at the rectangle's size with the
// object's edges and tiling, through the key colour when the object is transparent. Nothing for an
// empty rectangle or an object without an image.
void DrawSkinObject(QPainter& painter, const QRect& rect, int frames, int cell,
                    const TDataSkinObject& object);

// The text centred vertically in the rectangle (and across it with Qt::AlignHCenter in the flags), tabs
// expanded, in the painter's pen, or in the system's button-shadow colour when not enabled.
void DrawTextCentered(QPainter& painter, const QRect& rect, int flags, bool enabled, const QString& text);

enum class TImageTextPlacement { Left, Centre, Right };

// An image (when given and narrower than the rectangle) followed by the text on one line with an end
// ellipsis, both centred vertically; the group starts 3 pixels in (left), centred, or ends 2 pixels
// before the right edge, never less than 1 pixel in. Disabled text in the button-shadow colour.
void DrawImageText(QPainter& painter, const QRect& rect, TImageTextPlacement placement, const QString& text,
                   const QPixmap& image, bool enabled);

// A focus rectangle round the text as the flags would lay it out in the rectangle, grown by 2 pixels
// sideways and 1 up and down (or by `grow`), kept inside the rectangle (or inside `bounds` when given).
void DrawFocusText(QPainter& painter, int flags, const QRect& rect, const QString& text,
                   const QMargins& grow = QMargins(2, 1, 2, 1), const QRect& bounds = QRect());
