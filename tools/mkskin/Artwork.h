#pragma once
// What the skin's images share: strips of equal cells on the key colour, the two blues of the caption,
// colour ramps, outlines, the raised face of the small controls in its four states, and arrows.
#include "skinbuilder/SkinPayload.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <functional>
#include <initializer_list>

namespace mkskin {

// A package member holding the image as a 24-bit bitmap.
skinbuilder::Member Bitmap(const QString& name, const QImage& image);

// The key colour: what shows through.
constexpr QRgb Magenta = 0xFFFF00FF;

struct Shade {
    QColor top;
    QColor bottom;
    QColor edge;
};

extern const Shade Active;
extern const Shade Inactive;

// The cells of an image, all of one size, side by side or stacked.
struct Strip {
    int count;
    QSize cell;
    bool stacked = false;

    QRect Cell(int index) const;
};

// The strip's image on the key colour; `paint` draws each cell in turn, given its rectangle and its
// index, with one painter for the whole image.
using CellPainter = std::function<void(QPainter& painter, const QRect& rect, int index)>;
QImage Cells(const Strip& strip, const CellPainter& paint);

// Puts the key colour back at the points of each cell, given from the cell's top left: rounded corners.
void KeyOut(QImage& image, const Strip& strip, std::initializer_list<QPoint> points);

// A 20 x 20 panel: the field inside a dark line and an inner ring.
QImage Panel(const QColor& field, const QColor& ring);

// A ramp from the first colour at the rectangle's top edge to the last just below its bottom edge.
QLinearGradient CellRamp(const QRect& rect, const QColor& first, const QColor& last);
// A ramp from the first colour on the rectangle's first row to the last on its last row (first and last
// column when sideways).
QLinearGradient EdgeRamp(const QRect& rect, const QColor& first, const QColor& last, bool sideways = false);

// A one-pixel line just inside the rectangle, nothing filled.
void Outline(QPainter& painter, const QRect& rect, const QColor& colour);
// A rounded rectangle of the fill inside a one-pixel line.
void Rounded(QPainter& painter, const QRect& rect, const QColor& edge, const QBrush& fill, qreal radius = 3);

// The four states of the small controls' faces, in the order their cells take: normal, pressed,
// disabled, hot.
enum class Face { Normal, Pressed, Disabled, Hot };

constexpr Face Faces[] = {Face::Normal, Face::Pressed, Face::Disabled, Face::Hot};

// A raised face filling the rectangle, lit from the top when vertical is false (from the left when true).
void DrawFace(QPainter& painter, const QRect& rect, Face face, bool vertical = false);

QColor GlyphColour(Face face);

// A filled triangle pointing up, down, left or right (0 to 3), centred in the rectangle.
void DrawArrow(QPainter& painter, const QRectF& rect, int direction, const QColor& colour);

} // namespace mkskin
