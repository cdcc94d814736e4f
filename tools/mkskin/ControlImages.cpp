// The small controls: scroll bars, list headers, combo boxes, progress bars, spin buttons and slider
// thumbs, most of them the raised face in its four states.
#include "Artwork.h"
#include "Parts.h"

namespace mkskin {

namespace {

// Three short ridges across the middle of a thumb.
void DrawGrip(QPainter& painter, const QRect& rect, bool vertical, Face face)
{
    painter.setPen(GlyphColour(face));
    const QPoint c = rect.center();
    for (const int d : {-3, 0, 3}) {
        if (vertical)
            painter.drawLine(c.x() - 3, c.y() + d, c.x() + 3, c.y() + d);
        else
            painter.drawLine(c.x() + d, c.y() - 3, c.x() + d, c.y() + 3);
    }
}

// The scroll bar's 23 cells of 16: the left, right, up and down arrows in four states each, then the
// grips of a horizontal and of a vertical thumb (normal, pressed, hot), and a spare cell.
QImage ScrollArrows()
{
    return Cells({23, QSize(16, 16)}, [](QPainter& painter, const QRect& rect, int cell) {
        if (cell < 16) {
            const int arrow = cell / 4;
            const int directions[] = {2, 3, 0, 1};
            DrawFace(painter, rect, Faces[cell % 4], arrow >= 2);
            painter.setRenderHint(QPainter::Antialiasing, true);
            DrawArrow(painter, rect, directions[arrow], GlyphColour(Faces[cell % 4]));
            painter.setRenderHint(QPainter::Antialiasing, false);
        } else if (cell < 22) {
            const Face grips[] = {Face::Normal, Face::Pressed, Face::Hot};
            DrawGrip(painter, rect, cell >= 19, grips[(cell - 16) % 3]);
        }
    });
}

// A track in four cells (normal, pressed, disabled, spare): a sunken groove.
QImage ScrollTrack(bool vertical)
{
    return Cells({4, QSize(16, 16)}, [vertical](QPainter& painter, const QRect& rect, int cell) {
        const bool disabled = cell == 2;
        painter.fillRect(rect, EdgeRamp(rect, disabled ? QColor(226, 226, 226) : QColor(206, 214, 228),
                                        disabled ? QColor(236, 236, 236) : QColor(232, 236, 244), vertical));
        painter.setPen(disabled ? QColor(200, 200, 200) : QColor(176, 188, 208));
        if (vertical) {
            painter.drawLine(rect.topLeft(), rect.bottomLeft());
            painter.drawLine(rect.topRight(), rect.bottomRight());
        } else {
            painter.drawLine(rect.topLeft(), rect.topRight());
            painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        }
    });
}

// A thumb in three cells (normal, pressed, hot), rounded, its corners magenta.
QImage ScrollThumb(bool vertical)
{
    return Cells({3, QSize(16, 16)}, [vertical](QPainter& painter, const QRect& rect, int cell) {
        const QColor light[] = {QColor(130, 166, 220), QColor(108, 146, 206), QColor(150, 190, 245)};
        const QColor dark[] = {QColor(86, 126, 192), QColor(70, 110, 176), QColor(104, 150, 220)};
        Rounded(painter, rect.adjusted(1, 1, -2, -2), Active.edge,
                EdgeRamp(rect, light[cell], dark[cell], vertical));
    });
}

// The header section: five cells (normal, hot, and three alike), a light face with a separator at its
// right.
QImage Header()
{
    return Cells({5, QSize(20, 20)}, [](QPainter& painter, const QRect& rect, int cell) {
        const bool hot = cell == 1;
        painter.fillRect(rect, EdgeRamp(rect, hot ? QColor(236, 244, 255) : QColor(248, 249, 252),
                                        hot ? QColor(186, 210, 244) : QColor(214, 220, 232)));
        painter.setPen(QColor(150, 162, 184));
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.setPen(Qt::white);
        painter.drawLine(rect.topLeft(), rect.bottomLeft() - QPoint(0, 1));
    });
}

// The combo box's sunk frame: four cells (normal, pressed, disabled, hot) of 20 x 21, white inside.
QImage SunkEdge()
{
    return Cells({4, QSize(20, 21)}, [](QPainter& painter, const QRect& rect, int cell) {
        painter.fillRect(rect, cell == 2 ? QColor(240, 240, 240) : Qt::white);
        Outline(painter, rect,
                cell == 2   ? QColor(170, 170, 170)
                : cell == 3 ? Active.top
                            : QColor(120, 132, 156));
    });
}

// The combo box's button: four cells of 17 x 21; its arrow comes from the extra images.
QImage ComboButton()
{
    return Cells({4, QSize(17, 21)}, [](QPainter& painter, const QRect& rect, int cell) {
        DrawFace(painter, rect.adjusted(0, 1, -1, -1), Faces[cell]);
    });
}

// The extra images: the combo arrow in four states, and the size grip's dots.
QImage ExtraImages()
{
    return Cells({5, QSize(11, 11)}, [](QPainter& painter, const QRect& rect, int cell) {
        // Hard edges: a smoothed edge would blend into the magenta around it.
        if (cell < 4) {
            DrawArrow(painter, rect, 1, GlyphColour(Faces[cell]));
            return;
        }
        for (int row = 0; row < 3; ++row)
            for (int column = 2 - row; column < 3; ++column)
                painter.fillRect(rect.left() + 1 + column * 3, 1 + row * 3, 2, 2, QColor(120, 132, 156));
    });
}

// The progress bar: the empty bar and the done part, 24 x 16 each.
QImage Progress()
{
    return Cells({2, QSize(24, 16)}, [](QPainter& painter, const QRect& rect, int cell) {
        const bool empty = cell == 0;
        painter.fillRect(rect, EdgeRamp(rect, empty ? QColor(226, 230, 238) : QColor(110, 170, 240),
                                        empty ? QColor(246, 248, 252) : QColor(36, 90, 170)));
        Outline(painter, rect, empty ? QColor(120, 132, 156) : Active.edge);
    });
}

// The spin buttons: up in four states, then down in four, 16 x 10 each.
QImage UpDown()
{
    return Cells({8, QSize(16, 10)}, [](QPainter& painter, const QRect& rect, int cell) {
        DrawFace(painter, rect, Faces[cell % 4]);
    });
}

// The spin buttons' glyphs, apart from their faces: pointing up, then down, in the four states each; or
// left, then right, for the tab bar's scroll arrows. Each is a triangle 7 across its base and 4 deep.
QImage ArrowGlyphs(bool vertical)
{
    constexpr int base = 7;
    constexpr int depth = 4;
    const QSize cell = vertical ? QSize(base, depth) : QSize(depth, base);
    return Cells({8, cell}, [vertical](QPainter& painter, const QRect& rect, int index) {
        const bool tipFirst = index < 4; // up or left
        for (int step = 0; step < depth; ++step) {
            const int half = tipFirst ? step : depth - 1 - step; // the tip is 1 wide, the base 7
            const int from = base / 2 - half;
            const int length = 2 * half + 1;
            const QRect span = vertical ? QRect(from, step, length, 1) : QRect(step, from, 1, length);
            painter.fillRect(span.translated(rect.topLeft()), GlyphColour(Faces[index % 4]));
        }
    });
}

// A slider thumb: five cells (the skin shows the second), a rounded face pointing nowhere.
QImage SliderThumb(bool vertical)
{
    return Cells({5, vertical ? QSize(20, 11) : QSize(11, 20)},
                 [vertical](QPainter& painter, const QRect& rect, int) {
                     Rounded(painter, rect.adjusted(0, 0, -1, -1), Active.edge,
                             EdgeRamp(rect, QColor(150, 190, 245), QColor(70, 110, 176), !vertical));
                 });
}

} // namespace

QList<skinbuilder::Member> ControlMembers()
{
    return {Bitmap("scrollbar.bmp", ScrollArrows()),
            Bitmap("horzscroll.bmp", ScrollTrack(false)),
            Bitmap("vertscroll.bmp", ScrollTrack(true)),
            Bitmap("horzthumb.bmp", ScrollThumb(false)),
            Bitmap("vertthumb.bmp", ScrollThumb(true)),
            Bitmap("header.bmp", Header()),
            Bitmap("sunkedge.bmp", SunkEdge()),
            Bitmap("combobutton.bmp", ComboButton()),
            Bitmap("extra.bmp", ExtraImages()),
            Bitmap("progress.bmp", Progress()),
            Bitmap("updown.bmp", UpDown()),
            Bitmap("updownglyph.bmp", ArrowGlyphs(true)),
            Bitmap("updownhorzglyph.bmp", ArrowGlyphs(false)),
            Bitmap("thumbhorz.bmp", SliderThumb(false)),
            Bitmap("thumbvert.bmp", SliderThumb(true))};
}

} // namespace mkskin
