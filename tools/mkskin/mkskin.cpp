// Writes the skin package a new station finds in its skins folder: our own artwork (a blue caption
// with rounded top corners, thin borders and three caption buttons; the faces of push buttons, check
// boxes, radio buttons and tabs), packed with the test builder.
//   mkskin <output.skn>
#include "skinbuilder/Bmp24.h"
#include "skinbuilder/SkinPayload.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

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

QString Description()
{
    QString ini =
        "[TitlebarSkin]\r\nSkinName=Sonvela\r\n\r\n[Personality]\r\n"
        "Top=top.bmp\r\nTopFrame=2\r\nTopStretch=1\r\nTopTrans=1\r\nTopTopHeight=12\r\nTopBotHeight=12\r\n"
        "Left=left.bmp\r\nLeftFrame=2\r\nLeftTrans=0\r\nLeftTopHeight=8\r\nLeftBotHeight=8\r\n"
        "Right=right.bmp\r\nRightFrame=2\r\nRightTrans=0\r\nRightTopHeight=8\r\nRightBotHeight=8\r\n"
        "Bottom=bottom.bmp\r\nBottomFrame=2\r\nBottomTrans=0\r\n"
        "TextBack=textback.bmp\r\nTextShift=26\r\nTextShiftVert=0\r\nTextRightClip=76\r\n"
        "TextAlignment=0\r\nTXTBackleft=6\r\nTXTBackRight=6\r\n\r\n"
        "[Fonts]\r\nFontHeight=14\r\n\r\n"
        "[Colours]\r\nTitleTextActive=255,255,255\r\nTitleTextNoActive=228,232,240\r\n"
        "ButtonFace=212,208,200\r\nButtonShadow=120,132,156\r\n\r\n"
        "[Buttons]\r\nBitmap=button.bmp\r\nLeftWidth=4\r\nTopHeight=4\r\nRightWidth=4\r\nBottomHeight=4\r\n"
        "Trans=1\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\nCheckButtonFrame=4\r\n"
        "RadioButtonFrame=4\r\nNormalColour2=16,40,90\r\nMouseOverColour2=24,62,132\r\n"
        "PressedColour2=255,255,255\r\n\r\n"
        "[Tabs]\r\nImage=tabs.bmp\r\nBorder=pane.bmp\r\nStyle=0\r\nLeftWidth=4\r\nTopHeight=4\r\n"
        "RightWidth=4\r\nBottomHeight=0\r\nTrans=1\r\nNormalColour2=40,52,80\r\nMouseOverColour2=16,40,"
        "90\r\n\r\n"
        "[StatusBarEdges]\r\nImage=pane.bmp\r\nNormalColour2=16,40,90\r\n\r\n";
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
    };
    QFile output(QString::fromLocal8Bit(argv[1]));
    if (!output.open(QIODevice::WriteOnly) || output.write(skinbuilder::SkinPackage(members)) < 0) {
        std::fprintf(stderr, "mkskin: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
