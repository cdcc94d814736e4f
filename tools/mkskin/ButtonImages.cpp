// The faces of push buttons, check boxes, radio buttons and tabs, and the tab pane's border.
#include "Artwork.h"
#include "Parts.h"

namespace mkskin {

namespace {

// The push-button face: five cells (normal, pressed, disabled, hot, hot again), rounded, with the
// corners left magenta so the window shows through.
QImage PushButton()
{
    const QColor tops[] = {QColor(246, 248, 252), QColor(150, 172, 206), QColor(222, 222, 222),
                           QColor(226, 238, 255), QColor(226, 238, 255)};
    const QColor bottoms[] = {QColor(204, 212, 226), QColor(186, 202, 228), QColor(214, 214, 214),
                              QColor(160, 192, 236), QColor(160, 192, 236)};
    const Strip strip{5, QSize(24, 22)};
    QImage image = Cells(strip, [&](QPainter& painter, const QRect& rect, int cell) {
        Rounded(painter, rect.adjusted(0, 0, -1, -1), cell == 2 ? QColor(160, 160, 160) : Active.edge,
                CellRamp(rect, tops[cell], bottoms[cell]));
    });
    const int right = strip.cell.width() - 1;
    const int bottom = strip.cell.height() - 1;
    KeyOut(image, strip, {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)});
    return image;
}

// Check boxes and radio buttons: four cells each (off, on, off disabled, on disabled) of 13 pixels,
// drawn on the skin's face colour.
QImage Glyphs(bool radio)
{
    return Cells({4, QSize(13, 13)}, [radio](QPainter& painter, const QRect& cell, int index) {
        painter.fillRect(cell, QColor(212, 208, 200)); // the face, so smoothed edges blend into it
        painter.setRenderHint(QPainter::Antialiasing, radio);
        const bool enabled = index < 2;
        const bool on = index % 2 == 1;
        const QRect rect = cell.adjusted(0, 0, -1, -1);
        painter.setPen(enabled ? Active.edge : QColor(150, 150, 150));
        painter.setBrush(enabled ? QColor(255, 255, 255) : QColor(228, 228, 228));
        if (radio)
            painter.drawEllipse(rect);
        else
            painter.drawRect(rect);
        if (!on)
            return;
        const QColor mark = enabled ? Active.bottom : QColor(150, 150, 150);
        if (radio) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(mark);
            painter.drawEllipse(rect.adjusted(3, 3, -3, -3));
        } else {
            painter.setPen(QPen(mark, 2));
            painter.drawPolyline(QList<QPointF>{rect.topLeft() + QPointF(3, 6),
                                                rect.topLeft() + QPointF(5, 9),
                                                rect.topLeft() + QPointF(10, 3)});
        }
    });
}

// Tabs: five cells (others, current, three spare), rounded at the top, their bottom edge below the cell.
QImage Tabs()
{
    return Cells({5, QSize(30, 20)}, [](QPainter& painter, const QRect& rect, int cell) {
        const bool current = cell == 1;
        Rounded(painter, rect.adjusted(0, 0, -1, 4), Active.edge,
                CellRamp(rect, current ? QColor(250, 252, 255) : QColor(214, 222, 236),
                         current ? QColor(232, 236, 244) : QColor(184, 196, 218)),
                4);
    });
}

} // namespace

QList<skinbuilder::Member> ButtonMembers()
{
    return {Bitmap("button.bmp", PushButton()), Bitmap("check.bmp", Glyphs(false)),
            Bitmap("radio.bmp", Glyphs(true)), Bitmap("tabs.bmp", Tabs()),
            Bitmap("pane.bmp", Panel(QColor(232, 236, 244), QColor(188, 198, 216)))};
}

} // namespace mkskin
