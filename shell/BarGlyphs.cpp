#include "shell/BarGlyphs.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

constexpr int GlyphSize = 16;
const QColor Ink(40, 40, 40);
const QColor TitleBlue(40, 80, 170);

// A small window: white client under a blue caption.
void Window(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 0.5, 2.5), TitleBlue);
}

// A page with a turned corner.
void Page(QPainter& p, const QRectF& r)
{
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - 3, r.top());
    page.lineTo(r.right(), r.top() + 3);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
}

// An arrow turning clockwise round the centre, its head at the top.
void TurningArrow(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour)
{
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(circle, 120 * 16, 300 * 16);
    const QPointF tip(centre.x() - radius * 0.5, centre.y() - radius * 0.87);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({tip + QPointF(3, -0.5), tip + QPointF(-1, -3), tip + QPointF(-0.5, 2.5)}));
}

void Folders(QPainter& p)
{
    p.setPen(QPen(QColor(120, 90, 10), 1));
    p.setBrush(QColor(240, 200, 70));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {8, 5.5}, {14.5, 5.5}, {14.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(250, 220, 110));
    p.drawPolygon(QPolygonF({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {14.5, 13.5}}));
}

void Combinations(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.drawLine(QPointF(4, 5), QPointF(4, 12.5));
    p.drawLine(QPointF(4, 8.5), QPointF(8, 8.5));
    p.drawLine(QPointF(4, 12.5), QPointF(8, 12.5));
    p.setBrush(QColor(70, 150, 70));
    p.drawRect(QRectF(1.5, 1.5, 5, 4));
    p.setBrush(QColor(90, 170, 230));
    p.drawRect(QRectF(8.5, 6.5, 6, 4));
    p.drawRect(QRectF(8.5, 10.5, 6, 4));
}

void Programation(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.fillRect(QRectF(2, 3, 12.5, 3), QColor(200, 50, 50));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            p.fillRect(QRectF(3.5 + column * 3, 7.5 + row * 2.3, 1.5, 1.3), Ink);
}

void Clock(QPainter& p)
{
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Ink, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void Logo(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(150, 200, 240));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 60));
    p.drawPolygon(QPolygonF({{2, 13}, {6, 7}, {9, 11}, {11, 9}, {14, 13}}));
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QRectF(10, 4, 3, 3));
}

void Search(QPainter& p)
{
    p.setPen(QPen(Ink, 1.5));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(Ink, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

void Cascade(QPainter& p)
{
    for (int i = 0; i < 3; ++i)
        Window(p, QRectF(1.5 + i * 3, 1.5 + i * 3, 8, 7));
}

void Tile(QPainter& p)
{
    Window(p, QRectF(0.5, 0.5, 7, 10));
    Window(p, QRectF(0.5, 11.5, 3, 4));
    Window(p, QRectF(4.5, 11.5, 3, 4));
    Window(p, QRectF(8.5, 0.5, 7, 15));
}

void Save(QPainter& p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(60, 90, 160));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.fillRect(QRectF(4, 2, 7, 4.5), QColor(210, 210, 210));
    p.fillRect(QRectF(8.5, 2.5, 1.5, 3), Ink);
    p.fillRect(QRectF(3.5, 9, 9, 5), Qt::white);
}

void ReloadAll(QPainter& p)
{
    Page(p, QRectF(2.5, 1.5, 7, 9));
    Page(p, QRectF(5.5, 4.5, 7, 9));
    TurningArrow(p, QPointF(9, 9), 5.5, QColor(30, 140, 30));
}

void ReloadOne(QPainter& p)
{
    Page(p, QRectF(3.5, 2.5, 8, 11));
    TurningArrow(p, QPointF(9, 9), 5.5, QColor(30, 140, 30));
}

void Close(QPainter& p)
{
    p.setPen(QPen(QColor(190, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

} // namespace

QIcon BarGlyph(const QString& buttonName)
{
    static const QHash<QString, std::function<void(QPainter&)>> painters{
        {"BFolders", Folders},
        {"BCombinations", Combinations},
        {"BProgramation", Programation},
        {"BClock", Clock},
        {"BLogo", Logo},
        {"BSearch", Search},
        {"BWindowsOrganizationCascade", Cascade},
        {"BWindowsOrganizationTile", Tile},
        {"BSave", Save},
        {"BReloadFilesInFolders", ReloadAll},
        {"BReloadFilesInOneFolder", ReloadOne},
        {"BClose", Close},
    };
    const auto painter = painters.find(buttonName);
    if (painter == painters.end())
        return {};
    QPixmap glyph(GlyphSize, GlyphSize);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    (*painter)(p);
    p.end();
    return QIcon(glyph);
}
