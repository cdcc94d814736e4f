#include "shell/Pictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

// A band of colour with the program's name over it.
QPixmap Banner(QSize size, QColor top, QColor bottom, const QString& text, int pointSize)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(picture.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    // Three sound waves rising from the left edge.
    painter.setPen(QPen(QColor(0xf0, 0xc0, 0x40), 3));
    const QPoint centre(-size.height() / 3, size.height() / 2);
    for (int ring = 1; ring <= 3; ++ring) {
        const int radius = ring * size.height() / 4;
        painter.drawArc(QRect(centre - QPoint(radius, radius), QSize(2 * radius, 2 * radius)), -45 * 16,
                        90 * 16);
    }
    QFont font = painter.font();
    font.setPointSize(pointSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    return picture;
}

} // namespace

QPixmap BuiltInLogo()
{
    return Banner({240, 80}, QColor(0x10, 0x20, 0x4a), QColor(0x20, 0x50, 0x90),
                  QStringLiteral("Sonvela Zodu"), 18);
}

QPixmap AboutPicture()
{
    return Banner({320, 160}, QColor(0x20, 0x50, 0x90), QColor(0x10, 0x20, 0x4a), QStringLiteral("Sonvela"),
                  26);
}
