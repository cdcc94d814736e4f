// Writes the skin package a new station finds in its skins folder: our own artwork (a blue caption
// with rounded top corners, thin borders and three caption buttons; the faces of push buttons, check
// boxes, radio buttons and tabs; scroll bars, list headers, combo boxes, spin buttons, progress bars
// and slider thumbs), packed with the test builder.
//   mkskin <output.skn>
#include "skinbuilder/Bmp24.h"
#include "skinbuilder/SkinPayload.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace {

constexpr QRgb Magenta = 0xFFFF00FF;

struct Shade {
    QColor top;
    QColor bottom;
    QColor edge;
};

const Shade Active{QColor(58, 110, 190), QColor(24, 62, 132), QColor(16, 40, 90)};
const Shade Inactive{QColor(150, 162, 184), QColor(112, 124, 146), QColor(90, 98, 112)};

QImage Image(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Magenta);
    return image;
}

// The caption: two stacked cells (active, inactive), rounded at the outer top corners.
QImage Top()
{
    constexpr int w = 80;
    constexpr int h = 26;
    QImage image = Image(w, 2 * h);
    QPainter painter(&image);
    for (int cell = 0; cell < 2; ++cell) {
        const Shade& shade = cell == 0 ? Active : Inactive;
        QLinearGradient gradient(0, cell * h, 0, cell * h + h);
        gradient.setColorAt(0, shade.top);
        gradient.setColorAt(1, shade.bottom);
        painter.fillRect(0, cell * h, w, h, gradient);
        painter.setPen(shade.edge);
        painter.drawLine(0, cell * h, w - 1, cell * h);
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(w - 1, 0), QPoint(w - 2, 0), QPoint(w - 1, 1)})
            image.setPixel(corner + QPoint(0, cell * h), Magenta);
    }
    return image;
}

// A side border: two cells side by side; or the bottom: two cells stacked.
QImage Border(bool side)
{
    const int w = side ? 5 : 40;
    const int h = side ? 40 : 5;
    QImage image = Image(side ? 2 * w : w, side ? h : 2 * h);
    QPainter painter(&image);
    for (int cell = 0; cell < 2; ++cell) {
        const Shade& shade = cell == 0 ? Active : Inactive;
        const QRect rect = side ? QRect(cell * w, 0, w, h) : QRect(0, cell * h, w, h);
        painter.fillRect(rect, shade.bottom);
        painter.setPen(shade.edge);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    return image;
}

// The strip behind the title: two cells side by side, a lighter band with rounded ends.
QImage TextBack()
{
    QImage image = Image(80, 20);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    for (int cell = 0; cell < 2; ++cell) {
        painter.setBrush(cell == 0 ? QColor(78, 132, 210) : QColor(160, 172, 192));
        painter.drawRoundedRect(QRect(cell * 40, 2, 40, 16), 6, 6);
    }
    return image;
}

// A caption button in three cells: normal, pressed, hot; glyph 0 close, 1 maximise, 2 minimise.
QImage CaptionButton(int glyph)
{
    constexpr int s = 18;
    QImage image = Image(3 * s, s);
    QPainter painter(&image);
    const QColor faces[] = {QColor(70, 120, 196), QColor(30, 60, 120), QColor(110, 160, 230)};
    for (int cell = 0; cell < 3; ++cell) {
        const QRect rect(cell * s, 0, s, s);
        painter.setPen(QColor(16, 40, 90));
        painter.setBrush(glyph == 0 && cell == 2 ? QColor(210, 70, 60) : faces[cell]);
        painter.drawRoundedRect(rect.adjusted(0, 0, -1, -1), 3, 3);
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
    }
    return image;
}

// The push-button face: five cells (normal, pressed, disabled, hot, hot again), rounded, with the
// corners left magenta so the window shows through.
QImage PushButton()
{
    constexpr int w = 24;
    constexpr int h = 22;
    QImage image = Image(5 * w, h);
    QPainter painter(&image);
    const QColor tops[] = {QColor(246, 248, 252), QColor(150, 172, 206), QColor(222, 222, 222),
                           QColor(226, 238, 255), QColor(226, 238, 255)};
    const QColor bottoms[] = {QColor(204, 212, 226), QColor(186, 202, 228), QColor(214, 214, 214),
                              QColor(160, 192, 236), QColor(160, 192, 236)};
    for (int cell = 0; cell < 5; ++cell) {
        const QRect rect(cell * w, 0, w, h);
        QLinearGradient gradient(0, 0, 0, h);
        gradient.setColorAt(0, tops[cell]);
        gradient.setColorAt(1, bottoms[cell]);
        painter.setPen(cell == 2 ? QColor(160, 160, 160) : Active.edge);
        painter.setBrush(gradient);
        painter.drawRoundedRect(rect.adjusted(0, 0, -1, -1), 3, 3);
    }
    painter.end();
    for (int cell = 0; cell < 5; ++cell)
        for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            image.setPixel(corner + QPoint(cell * w, 0), Magenta);
    return image;
}

// Check boxes and radio buttons: four cells each (off, on, off disabled, on disabled) of 13 pixels,
// drawn on the skin's face colour.
QImage Glyphs(bool radio)
{
    constexpr int s = 13;
    QImage image = Image(4 * s, s);
    image.fill(QColor(212, 208, 200)); // the face, so smoothed edges blend into it
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, radio);
    for (int cell = 0; cell < 4; ++cell) {
        const bool enabled = cell < 2;
        const bool on = cell % 2 == 1;
        const QRect rect = QRect(cell * s, 0, s, s).adjusted(0, 0, -1, -1);
        painter.setPen(enabled ? Active.edge : QColor(150, 150, 150));
        painter.setBrush(enabled ? QColor(255, 255, 255) : QColor(228, 228, 228));
        if (radio)
            painter.drawEllipse(rect);
        else
            painter.drawRect(rect);
        if (!on)
            continue;
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
    }
    return image;
}

// Tabs: five cells (others, current, three spare), rounded at the top; and the pane's border.
QImage Tabs()
{
    constexpr int w = 30;
    constexpr int h = 20;
    QImage image = Image(5 * w, h);
    QPainter painter(&image);
    for (int cell = 0; cell < 5; ++cell) {
        const bool current = cell == 1;
        QLinearGradient gradient(0, 0, 0, h);
        gradient.setColorAt(0, current ? QColor(250, 252, 255) : QColor(214, 222, 236));
        gradient.setColorAt(1, current ? QColor(232, 236, 244) : QColor(184, 196, 218));
        painter.setPen(Active.edge);
        painter.setBrush(gradient);
        painter.drawRoundedRect(QRect(cell * w, 0, w - 1, h + 4), 4, 4);
    }
    return image;
}

QImage Pane()
{
    QImage image = Image(20, 20);
    image.fill(QColor(232, 236, 244));
    QPainter painter(&image);
    painter.setPen(Active.edge);
    painter.drawRect(0, 0, 19, 19);
    painter.setPen(QColor(188, 198, 216));
    painter.drawRect(1, 1, 17, 17);
    return image;
}

// The four states of the small controls' faces, in the order their cells take: normal, pressed,
// disabled, hot.
enum class Face { Normal, Pressed, Disabled, Hot };

constexpr Face Faces[] = {Face::Normal, Face::Pressed, Face::Disabled, Face::Hot};

// A raised face filling the rectangle, lit from the top when vertical is false (from the left when true).
void DrawFace(QPainter& painter, const QRect& rect, Face face, bool vertical = false)
{
    const QColor light[] = {QColor(238, 242, 250), QColor(150, 172, 206), QColor(226, 226, 226),
                            QColor(226, 238, 255)};
    const QColor dark[] = {QColor(190, 202, 222), QColor(186, 202, 228), QColor(206, 206, 206),
                           QColor(160, 192, 236)};
    const int index = static_cast<int>(face);
    QLinearGradient gradient(rect.topLeft(), vertical ? rect.topRight() : rect.bottomLeft());
    gradient.setColorAt(0, light[index]);
    gradient.setColorAt(1, dark[index]);
    painter.fillRect(rect, gradient);
    painter.setPen(face == Face::Disabled ? QColor(170, 170, 170) : QColor(120, 132, 156));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

QColor GlyphColour(Face face)
{
    return face == Face::Disabled ? QColor(160, 160, 160) : face == Face::Pressed ? Qt::white : Active.edge;
}

// A filled triangle pointing up, down, left or right (0 to 3), centred in the rectangle.
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
    constexpr int s = 16;
    QImage image = Image(23 * s, s);
    QPainter painter(&image);
    const int directions[] = {2, 3, 0, 1};
    for (int arrow = 0; arrow < 4; ++arrow)
        for (int state = 0; state < 4; ++state) {
            const QRect cell((arrow * 4 + state) * s, 0, s, s);
            DrawFace(painter, cell, Faces[state], arrow >= 2);
            painter.setRenderHint(QPainter::Antialiasing, true);
            DrawArrow(painter, cell, directions[arrow], GlyphColour(Faces[state]));
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
    const Face grips[] = {Face::Normal, Face::Pressed, Face::Hot};
    for (int vertical = 0; vertical < 2; ++vertical)
        for (int state = 0; state < 3; ++state) {
            const QRect cell((16 + vertical * 3 + state) * s, 0, s, s);
            DrawGrip(painter, cell, vertical == 1, grips[state]);
        }
    return image;
}

// A track in four cells (normal, pressed, disabled, spare): a sunken groove.
QImage ScrollTrack(bool vertical)
{
    constexpr int s = 16;
    QImage image = Image(4 * s, s);
    QPainter painter(&image);
    for (int cell = 0; cell < 4; ++cell) {
        const QRect rect(cell * s, 0, s, s);
        const bool disabled = cell == 2;
        QLinearGradient gradient(rect.topLeft(), vertical ? rect.topRight() : rect.bottomLeft());
        gradient.setColorAt(0, disabled ? QColor(226, 226, 226) : QColor(206, 214, 228));
        gradient.setColorAt(1, disabled ? QColor(236, 236, 236) : QColor(232, 236, 244));
        painter.fillRect(rect, gradient);
        painter.setPen(disabled ? QColor(200, 200, 200) : QColor(176, 188, 208));
        if (vertical) {
            painter.drawLine(rect.topLeft(), rect.bottomLeft());
            painter.drawLine(rect.topRight(), rect.bottomRight());
        } else {
            painter.drawLine(rect.topLeft(), rect.topRight());
            painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        }
    }
    return image;
}

// A thumb in three cells (normal, pressed, hot), rounded, its corners magenta.
QImage ScrollThumb(bool vertical)
{
    constexpr int s = 16;
    QImage image = Image(3 * s, s);
    QPainter painter(&image);
    for (int cell = 0; cell < 3; ++cell) {
        const QRect rect(cell * s, 0, s, s);
        QLinearGradient gradient(rect.topLeft(), vertical ? rect.topRight() : rect.bottomLeft());
        gradient.setColorAt(0, cell == 1   ? QColor(108, 146, 206)
                               : cell == 2 ? QColor(150, 190, 245)
                                           : QColor(130, 166, 220));
        gradient.setColorAt(1, cell == 1   ? QColor(70, 110, 176)
                               : cell == 2 ? QColor(104, 150, 220)
                                           : QColor(86, 126, 192));
        painter.setPen(Active.edge);
        painter.setBrush(gradient);
        painter.drawRoundedRect(rect.adjusted(1, 1, -2, -2), 3, 3);
    }
    return image;
}

// The header section: five cells (normal, hot, and three alike), a light face with a separator at its
// right.
QImage Header()
{
    constexpr int w = 20;
    constexpr int h = 20;
    QImage image = Image(5 * w, h);
    QPainter painter(&image);
    for (int cell = 0; cell < 5; ++cell) {
        const QRect rect(cell * w, 0, w, h);
        const bool hot = cell == 1;
        QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
        gradient.setColorAt(0, hot ? QColor(236, 244, 255) : QColor(248, 249, 252));
        gradient.setColorAt(1, hot ? QColor(186, 210, 244) : QColor(214, 220, 232));
        painter.fillRect(rect, gradient);
        painter.setPen(QColor(150, 162, 184));
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.setPen(Qt::white);
        painter.drawLine(rect.topLeft(), rect.bottomLeft() - QPoint(0, 1));
    }
    return image;
}

// The combo box's sunk frame: four cells (normal, pressed, disabled, hot) of 20 x 21, white inside.
QImage SunkEdge()
{
    constexpr int w = 20;
    constexpr int h = 21;
    QImage image = Image(4 * w, h);
    QPainter painter(&image);
    for (int cell = 0; cell < 4; ++cell) {
        const QRect rect(cell * w, 0, w, h);
        painter.fillRect(rect, cell == 2 ? QColor(240, 240, 240) : Qt::white);
        painter.setPen(cell == 2 ? QColor(170, 170, 170) : cell == 3 ? Active.top : QColor(120, 132, 156));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    return image;
}

// The combo box's button: four cells of 17 x 21; its arrow comes from the extra images.
QImage ComboButton()
{
    constexpr int w = 17;
    constexpr int h = 21;
    QImage image = Image(4 * w, h);
    QPainter painter(&image);
    for (int cell = 0; cell < 4; ++cell)
        DrawFace(painter, QRect(cell * w, 0, w, h).adjusted(0, 1, -1, -1), Faces[cell]);
    return image;
}

// The extra images: the combo arrow in four states, and the size grip's dots.
QImage ExtraImages()
{
    constexpr int s = 11;
    QImage image = Image(5 * s, s);
    QPainter painter(&image);
    // Hard edges: a smoothed edge would blend into the magenta around it.
    for (int cell = 0; cell < 4; ++cell)
        DrawArrow(painter, QRectF(cell * s, 0, s, s), 1, GlyphColour(Faces[cell]));
    for (int row = 0; row < 3; ++row)
        for (int column = 2 - row; column < 3; ++column)
            painter.fillRect(4 * s + 1 + column * 3, 1 + row * 3, 2, 2, QColor(120, 132, 156));
    return image;
}

// The progress bar: the empty bar and the done part, 24 x 16 each.
QImage Progress()
{
    constexpr int w = 24;
    constexpr int h = 16;
    QImage image = Image(2 * w, h);
    QPainter painter(&image);
    for (int cell = 0; cell < 2; ++cell) {
        const QRect rect(cell * w, 0, w, h);
        QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
        gradient.setColorAt(0, cell == 0 ? QColor(226, 230, 238) : QColor(110, 170, 240));
        gradient.setColorAt(1, cell == 0 ? QColor(246, 248, 252) : QColor(36, 90, 170));
        painter.fillRect(rect, gradient);
        painter.setPen(cell == 0 ? QColor(120, 132, 156) : Active.edge);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    return image;
}

// The spin buttons: up in four states, then down in four, 16 x 10 each; their glyphs apart, 7 x 4.
QImage UpDown()
{
    constexpr int w = 16;
    constexpr int h = 10;
    QImage image = Image(8 * w, h);
    QPainter painter(&image);
    for (int cell = 0; cell < 8; ++cell)
        DrawFace(painter, QRect(cell * w, 0, w, h), Faces[cell % 4]);
    return image;
}

QImage UpDownGlyphs()
{
    constexpr int w = 7;
    constexpr int h = 4;
    QImage image = Image(8 * w, h);
    for (int cell = 0; cell < 8; ++cell) {
        const bool up = cell < 4;
        const QColor colour = GlyphColour(Faces[cell % 4]);
        for (int row = 0; row < h; ++row) {
            const int half = up ? row : h - 1 - row; // the tip is 1 wide, the base 7
            for (int x = 3 - half; x <= 3 + half; ++x)
                image.setPixelColor(cell * w + x, row, colour);
        }
    }
    return image;
}

// The tab bar's scroll arrows: the spin buttons' faces, with left and right glyphs, 4 x 7.
QImage UpDownHorzGlyphs()
{
    constexpr int w = 4;
    constexpr int h = 7;
    QImage image = Image(8 * w, h);
    for (int cell = 0; cell < 8; ++cell) {
        const bool left = cell < 4;
        const QColor colour = GlyphColour(Faces[cell % 4]);
        for (int column = 0; column < w; ++column) {
            const int half = left ? column : w - 1 - column; // the tip is 1 high, the base 7
            for (int y = 3 - half; y <= 3 + half; ++y)
                image.setPixelColor(cell * w + column, y, colour);
        }
    }
    return image;
}

// A slider thumb: five cells (the skin shows the second), a rounded face pointing nowhere.
QImage SliderThumb(bool vertical)
{
    const int w = vertical ? 20 : 11;
    const int h = vertical ? 11 : 20;
    QImage image = Image(5 * w, h);
    QPainter painter(&image);
    for (int cell = 0; cell < 5; ++cell) {
        const QRect rect(cell * w, 0, w, h);
        QLinearGradient gradient(rect.topLeft(), vertical ? rect.bottomLeft() : rect.topRight());
        gradient.setColorAt(0, QColor(150, 190, 245));
        gradient.setColorAt(1, QColor(70, 110, 176));
        painter.setPen(Active.edge);
        painter.setBrush(gradient);
        painter.drawRoundedRect(rect.adjusted(0, 0, -1, -1), 3, 3);
    }
    return image;
}

// The menu bar: two stacked cells (active, inactive), a soft gradient over a line at the bottom.
QImage MenuBar()
{
    constexpr int w = 40;
    constexpr int h = 20;
    QImage image = Image(w, 2 * h);
    QPainter painter(&image);
    for (int cell = 0; cell < 2; ++cell) {
        QLinearGradient gradient(0, cell * h, 0, cell * h + h);
        gradient.setColorAt(0, cell == 0 ? QColor(240, 244, 250) : QColor(236, 236, 236));
        gradient.setColorAt(1, cell == 0 ? QColor(208, 218, 236) : QColor(214, 214, 214));
        painter.fillRect(0, cell * h, w, h, gradient);
        painter.setPen(cell == 0 ? QColor(150, 166, 196) : QColor(176, 176, 176));
        painter.drawLine(0, cell * h + h - 1, w - 1, cell * h + h - 1);
    }
    return image;
}

// Menu items: five cells (normal, separator, spare, selected, spare). The normal cell is all key
// colour, so the menu's background shows; the separator is an etched line low in its cell, since a
// separator item is lower than the cell and shows the cell's bottom.
QImage MenuItem()
{
    constexpr int w = 30;
    constexpr int h = 20;
    QImage image = Image(5 * w, h);
    QPainter painter(&image);
    painter.setPen(QColor(170, 182, 204));
    painter.drawLine(w + 2, h - 5, 2 * w - 3, h - 5);
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(w + 2, h - 4, 2 * w - 3, h - 4);
    for (const int cell : {2, 3, 4}) {
        QLinearGradient gradient(0, 0, 0, h);
        gradient.setColorAt(0, Active.top);
        gradient.setColorAt(1, Active.bottom);
        painter.setPen(Active.edge);
        painter.setBrush(gradient);
        painter.drawRoundedRect(QRect(cell * w + 1, 1, w - 3, h - 3), 3, 3);
    }
    return image;
}

// The menu panel: a light field inside a dark line and a soft inner ring.
QImage MenuBackground()
{
    QImage image = Image(20, 20);
    image.fill(QColor(248, 249, 252));
    QPainter painter(&image);
    painter.setPen(Active.edge);
    painter.drawRect(0, 0, 19, 19);
    painter.setPen(QColor(206, 214, 230));
    painter.drawRect(1, 1, 17, 17);
    return image;
}

QString Description()
{
    QString ini =
        "[TitlebarSkin]\r\nSkinName=Sonvela\r\n\r\n[Personality]\r\n"
        "Top=top.bmp\r\nTopFrame=2\r\nTopStretch=1\r\nTopTrans=1\r\nTopTopHeight=12\r\nTopBotHeight=12\r\n"
        "Left=left.bmp\r\nLeftFrame=2\r\nLeftTrans=0\r\nLeftTopHeight=8\r\nLeftBotHeight=8\r\n"
        "Right=right.bmp\r\nRightFrame=2\r\nRightTrans=0\r\nRightTopHeight=8\r\nRightBotHeight=8\r\n"
        "Bottom=bottom.bmp\r\nBottomFrame=2\r\nBottomTrans=0\r\n"
        "TextBack=textback.bmp\r\nTextShift=26\r\nTextShiftVert=0\r\nTextRightClip=76\r\n"
        "TextAlignment=0\r\nTXTBackleft=6\r\nTXTBackRight=6\r\n"
        "menuBar=menubar.bmp\r\nTileMenu=0\r\nTileLeftMenu=4\r\nTileRightMenu=4\r\n\r\n"
        "[Fonts]\r\nFontHeight=14\r\n\r\n"
        "[Colours]\r\nTitleTextActive=255,255,255\r\nTitleTextNoActive=228,232,240\r\n"
        "ButtonFace=212,208,200\r\nButtonShadow=120,132,156\r\nHilightText=255,255,255\r\n"
        "MenuBarText=16,40,90\r\n\r\n"
        "[MenuItem]\r\nImage=menuitem.bmp\r\nLeftWidth=4\r\nTopHeight=4\r\nRightWidth=4\r\n"
        "BottomHeight=4\r\nTrans=1\r\n\r\n"
        "[MenuBackground]\r\nImage=menubackground.bmp\r\nLeftWidth=3\r\nTopHeight=3\r\nRightWidth=3\r\n"
        "BottomHeight=3\r\n\r\n"
        "[Buttons]\r\nBitmap=button.bmp\r\nLeftWidth=4\r\nTopHeight=4\r\nRightWidth=4\r\nBottomHeight=4\r\n"
        "Trans=1\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\nCheckButtonFrame=4\r\n"
        "RadioButtonFrame=4\r\nNormalColour2=16,40,90\r\nMouseOverColour2=24,62,132\r\n"
        "PressedColour2=255,255,255\r\n\r\n"
        "[Tabs]\r\nImage=tabs.bmp\r\nBorder=pane.bmp\r\nStyle=0\r\nLeftWidth=4\r\nTopHeight=4\r\n"
        "RightWidth=4\r\nBottomHeight=0\r\nTrans=1\r\nNormalColour2=40,52,80\r\nMouseOverColour2=16,40,"
        "90\r\n\r\n"
        "[StatusBarEdges]\r\nImage=pane.bmp\r\nNormalColour2=16,40,90\r\n\r\n"
        "[Scrollbar]\r\nImage=scrollbar.bmp\r\nTrans=1\r\n\r\n"
        "[HorzScroll]\r\nImage=horzscroll.bmp\r\nLeftWidth=1\r\nRightWidth=1\r\nTopHeight=1\r\n"
        "BottomHeight=1\r\n\r\n"
        "[VertScroll]\r\nImage=vertscroll.bmp\r\nLeftWidth=1\r\nRightWidth=1\r\nTopHeight=1\r\n"
        "BottomHeight=1\r\n\r\n"
        "[HorzScrollThumb]\r\nImage=horzthumb.bmp\r\nFrameCount=3\r\nTrans=1\r\nLeftWidth=4\r\n"
        "RightWidth=4\r\nTopHeight=4\r\nBottomHeight=4\r\n\r\n"
        "[VertScrollThumb]\r\nImage=vertthumb.bmp\r\nFrameCount=3\r\nTrans=1\r\nLeftWidth=4\r\n"
        "RightWidth=4\r\nTopHeight=4\r\nBottomHeight=4\r\n\r\n"
        "[Headerbar]\r\nImage=header.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[SunkEdge]\r\nImage=sunkedge.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[ComboButton]\r\nImage=combobutton.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[ExtraImages]\r\nImage=extra.bmp\r\n\r\n"
        "[Progress]\r\nBitmap=progress.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=2\r\n"
        "BottomHeight=2\r\n\r\n"
        "[UpDown.Vert]\r\nImage=updown.bmp\r\nGlyphImage=updownglyph.bmp\r\n\r\n"
        "[UpDown.Horz]\r\nImage=updown.bmp\r\nGlyphImage=updownhorzglyph.bmp\r\n\r\n"
        "[Trackbar.ThumbHorz]\r\nImage=thumbhorz.bmp\r\n\r\n"
        "[Trackbar.ThumbVert]\r\nImage=thumbvert.bmp\r\n\r\n";
    struct Button {
        const char* section;
        int action;
        int x;
        const char* file;
    };
    for (const Button& b : {Button{"ButtonClose", 0, 24, "close.bmp"}, Button{"ButtonMax", 1, 44, "max.bmp"},
                            Button{"ButtonMin", 2, 64, "min.bmp"}})
        ini +=
            QStringLiteral(
                "[%1]\r\nAction=%2\r\nAlign=1\r\nXcoord=%3\r\nYcoord=4\r\nframe=3\r\nButtonImage=%4\r\n\r\n")
                .arg(b.section)
                .arg(b.action)
                .arg(b.x)
                .arg(b.file);
    ini += "[ButtonIcon]\r\nAction=3\r\nAlign=0\r\nXcoord=6\r\nYcoord=5\r\nframe=0\r\n\r\n";
    return ini;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkskin <output.skn>\n");
        return 2;
    }
    const QList<skinbuilder::Member> members{
        {"sonvela.ini", Description().toLatin1()},
        {"top.bmp", skinbuilder::Bmp24(Top())},
        {"left.bmp", skinbuilder::Bmp24(Border(true))},
        {"right.bmp", skinbuilder::Bmp24(Border(true))},
        {"bottom.bmp", skinbuilder::Bmp24(Border(false))},
        {"textback.bmp", skinbuilder::Bmp24(TextBack())},
        {"close.bmp", skinbuilder::Bmp24(CaptionButton(0))},
        {"max.bmp", skinbuilder::Bmp24(CaptionButton(1))},
        {"min.bmp", skinbuilder::Bmp24(CaptionButton(2))},
        {"button.bmp", skinbuilder::Bmp24(PushButton())},
        {"check.bmp", skinbuilder::Bmp24(Glyphs(false))},
        {"radio.bmp", skinbuilder::Bmp24(Glyphs(true))},
        {"tabs.bmp", skinbuilder::Bmp24(Tabs())},
        {"pane.bmp", skinbuilder::Bmp24(Pane())},
        {"scrollbar.bmp", skinbuilder::Bmp24(ScrollArrows())},
        {"horzscroll.bmp", skinbuilder::Bmp24(ScrollTrack(false))},
        {"vertscroll.bmp", skinbuilder::Bmp24(ScrollTrack(true))},
        {"horzthumb.bmp", skinbuilder::Bmp24(ScrollThumb(false))},
        {"vertthumb.bmp", skinbuilder::Bmp24(ScrollThumb(true))},
        {"header.bmp", skinbuilder::Bmp24(Header())},
        {"sunkedge.bmp", skinbuilder::Bmp24(SunkEdge())},
        {"combobutton.bmp", skinbuilder::Bmp24(ComboButton())},
        {"extra.bmp", skinbuilder::Bmp24(ExtraImages())},
        {"progress.bmp", skinbuilder::Bmp24(Progress())},
        {"updown.bmp", skinbuilder::Bmp24(UpDown())},
        {"updownglyph.bmp", skinbuilder::Bmp24(UpDownGlyphs())},
        {"updownhorzglyph.bmp", skinbuilder::Bmp24(UpDownHorzGlyphs())},
        {"thumbhorz.bmp", skinbuilder::Bmp24(SliderThumb(false))},
        {"thumbvert.bmp", skinbuilder::Bmp24(SliderThumb(true))},
        {"menubar.bmp", skinbuilder::Bmp24(MenuBar())},
        {"menuitem.bmp", skinbuilder::Bmp24(MenuItem())},
        {"menubackground.bmp", skinbuilder::Bmp24(MenuBackground())},
    };
    QFile output(QString::fromLocal8Bit(argv[1]));
    if (!output.open(QIODevice::WriteOnly) || output.write(skinbuilder::SkinPackage(members)) < 0) {
        std::fprintf(stderr, "mkskin: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
