#include "Artwork.h"

#include "skinbuilder/Bmp24.h"

#include <algorithm>

namespace mkskin {

const Shade Active{QColor(58, 110, 190), QColor(24, 62, 132), QColor(16, 40, 90)};
const Shade Inactive{QColor(150, 162, 184), QColor(112, 124, 146), QColor(90, 98, 112)};

skinbuilder::Member Bitmap(const QString& name, const QImage& image)
{
    return {name, skinbuilder::Bmp24(image)};
}

QRect Strip::Cell(int index) const
{
    return QRect(stacked ? QPoint(0, index * cell.height()) : QPoint(index * cell.width(), 0), cell);
}

QImage Cells(const Strip& strip, const CellPainter& paint)
{
    const QRect last = strip.Cell(strip.count - 1);
    QImage image(last.right() + 1, last.bottom() + 1, QImage::Format_RGB32);
    image.fill(Magenta);
    QPainter painter(&image);
    for (int index = 0; index < strip.count; ++index)
        paint(painter, strip.Cell(index), index);
    return image;
}

void KeyOut(QImage& image, const Strip& strip, std::initializer_list<QPoint> points)
{
    for (int index = 0; index < strip.count; ++index)
        for (const QPoint point : points)
            image.setPixel(strip.Cell(index).topLeft() + point, Magenta);
}

QImage Panel(const QColor& field, const QColor& ring)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(field);
    QPainter painter(&image);
    painter.setPen(Active.edge);
    painter.drawRect(0, 0, 19, 19);
    painter.setPen(ring);
    painter.drawRect(1, 1, 17, 17);
    return image;
}

QLinearGradient CellRamp(const QRect& rect, const QColor& first, const QColor& last)
{
    // Down the cell: the gradient's column does not matter.
    QLinearGradient gradient(0, rect.top(), 0, rect.bottom() + 1);
    gradient.setColorAt(0, first);
    gradient.setColorAt(1, last);
    return gradient;
}

QLinearGradient EdgeRamp(const QRect& rect, const QColor& first, const QColor& last, bool sideways)
{
    QLinearGradient gradient(rect.topLeft(), sideways ? rect.topRight() : rect.bottomLeft());
    gradient.setColorAt(0, first);
    gradient.setColorAt(1, last);
    return gradient;
}

void Outline(QPainter& painter, const QRect& rect, const QColor& colour)
{
    painter.setPen(colour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void Rounded(QPainter& painter, const QRect& rect, const QColor& edge, const QBrush& fill, qreal radius)
{
    painter.setPen(edge);
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, radius, radius);
}

void DrawFace(QPainter& painter, const QRect& rect, Face face, bool vertical)
{
    const QColor light[] = {QColor(238, 242, 250), QColor(150, 172, 206), QColor(226, 226, 226),
                            QColor(226, 238, 255)};
    const QColor dark[] = {QColor(190, 202, 222), QColor(186, 202, 228), QColor(206, 206, 206),
                           QColor(160, 192, 236)};
    const int index = static_cast<int>(face);
    painter.fillRect(rect, EdgeRamp(rect, light[index], dark[index], vertical));
    Outline(painter, rect, face == Face::Disabled ? QColor(170, 170, 170) : QColor(120, 132, 156));
}

QColor GlyphColour(Face face)
{
    return face == Face::Disabled ? QColor(160, 160, 160) : face == Face::Pressed ? Qt::white : Active.edge;
}

void DrawArrow(QPainter& painter, const QRectF& rect, int direction, const QColor& colour)
{
    const QPointF c = rect.center();
    const qreal r = std::min(rect.width(), rect.height()) / 4.0;
    QList<QPointF> points;
    switch (direction) {
    case 0:
        points = {c + QPointF(-r, r / 2), c + QPointF(r, r / 2), c + QPointF(0, -r / 2 - 1)};
        break;
    case 1:
        points = {c + QPointF(-r, -r / 2), c + QPointF(r, -r / 2), c + QPointF(0, r / 2 + 1)};
        break;
    case 2:
        points = {c + QPointF(r / 2, -r), c + QPointF(r / 2, r), c + QPointF(-r / 2 - 1, 0)};
        break;
    default:
        points = {c + QPointF(-r / 2, -r), c + QPointF(-r / 2, r), c + QPointF(r / 2 + 1, 0)};
        break;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(points);
}

} // namespace mkskin
