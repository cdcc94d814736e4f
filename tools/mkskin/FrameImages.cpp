// The window's frame: a blue caption with rounded top corners, thin borders, the strip behind the title
// and three caption buttons, each in an active and an inactive cell where the window's state shows.
#include "Artwork.h"
#include "Parts.h"

namespace mkskin {

namespace {

const Shade& ShadeOf(int cell)
{
    return cell == 0 ? Active : Inactive;
}

// The caption: two stacked cells (active, inactive), rounded at the outer top corners.
QImage Top()
{
    const Strip strip{2, QSize(80, 26), true};
    QImage image = Cells(strip, [](QPainter& painter, const QRect& rect, int cell) {
        painter.fillRect(rect, CellRamp(rect, ShadeOf(cell).top, ShadeOf(cell).bottom));
        painter.setPen(ShadeOf(cell).edge);
        painter.drawLine(rect.topLeft(), rect.topRight());
    });
    const int right = strip.cell.width() - 1;
    KeyOut(
        image, strip,
        {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(right, 0), QPoint(right - 1, 0), QPoint(right, 1)});
    return image;
}

// A side border: two cells side by side; or the bottom: two cells stacked.
QImage Border(bool side)
{
    return Cells({2, side ? QSize(5, 40) : QSize(40, 5), !side},
                 [](QPainter& painter, const QRect& rect, int cell) {
                     painter.fillRect(rect, ShadeOf(cell).bottom);
                     Outline(painter, rect, ShadeOf(cell).edge);
                 });
}

// The strip behind the title: two cells side by side, a lighter band with rounded ends.
QImage TextBack()
{
    return Cells({2, QSize(40, 20)}, [](QPainter& painter, const QRect& rect, int cell) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(cell == 0 ? QColor(78, 132, 210) : QColor(160, 172, 192));
        painter.drawRoundedRect(rect.adjusted(0, 2, 0, -2), 6, 6);
    });
}

// A caption button in three cells: normal, pressed, hot; glyph 0 close, 1 maximise, 2 minimise.
QImage CaptionButton(int glyph)
{
    return Cells({3, QSize(18, 18)}, [glyph](QPainter& painter, const QRect& rect, int cell) {
        const QColor faces[] = {QColor(70, 120, 196), QColor(30, 60, 120), QColor(110, 160, 230)};
        Rounded(painter, rect.adjusted(0, 0, -1, -1), Active.edge,
                glyph == 0 && cell == 2 ? QColor(210, 70, 60) : faces[cell]);
        painter.setPen(QPen(Qt::white, 2));
        const QRect in = rect.adjusted(5, 5, -6, -6);
        if (glyph == 0) {
            painter.drawLine(in.topLeft(), in.bottomRight());
            painter.drawLine(in.topRight(), in.bottomLeft());
        } else if (glyph == 1) {
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(in);
        } else {
            painter.drawLine(in.bottomLeft(), in.bottomRight());
        }
    });
}

} // namespace

QList<skinbuilder::Member> FrameMembers()
{
    return {Bitmap("top.bmp", Top()),
            Bitmap("left.bmp", Border(true)),
            Bitmap("right.bmp", Border(true)),
            Bitmap("bottom.bmp", Border(false)),
            Bitmap("textback.bmp", TextBack()),
            Bitmap("close.bmp", CaptionButton(0)),
            Bitmap("max.bmp", CaptionButton(1)),
            Bitmap("min.bmp", CaptionButton(2))};
}

} // namespace mkskin
