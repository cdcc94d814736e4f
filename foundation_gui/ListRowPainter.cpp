#include "foundation_gui/ListRowPainter.h"

#include "foundation/Options.h"
#include "platform_gui/Color.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr platform::TColor LineBelowColor = 0x008000; // green
constexpr platform::TColor LineRightColor = 0x0000FF; // red

void DrawText(QPainter& painter, const QRect& rect, DisplayRole role, Qt::Alignment align,
              const QString& text)
{
    painter.setFont(ToQFont(RoleFonts[role]));
    painter.setPen(platform::ToQColor(RoleFonts[role].Color));
    painter.drawText(rect, align | Qt::AlignTop | Qt::TextSingleLine, text);
}

} // namespace

void PaintListRow(QPainter& painter, const QRect& r, int row, const TListRowLook& look, const QString& name,
                  const QString& length)
{
    painter.save();
    painter.fillRect(r, platform::ToQColor(RoleColors[look.Row]));

    const QFontMetrics measure(ToQFont(RoleFonts[look.Measure]));
    const int boxWidth = measure.horizontalAdvance(length) + measure.horizontalAdvance(QStringLiteral("k"));
    const QRect box(r.right() + 1 - boxWidth, r.top(), boxWidth, r.height());

    // The name is cut where the length box begins.
    const QRect nameRect(r.left(), r.top(), std::max(r.width() - boxWidth, 0), r.height());
    painter.setClipRect(nameRect);
    DrawText(painter, nameRect.adjusted(look.NameIndent, 0, 0, 0), look.Row, Qt::AlignLeft, name);
    painter.setClipRect(box);
    painter.fillRect(box, platform::ToQColor(RoleColors[look.Info]));
    DrawText(painter, box, look.Info, look.InfoAlign, length);
    painter.setClipping(false);

    // The lines lie two pixels in from the row's bottom and right edges.
    const int bottomLine = r.top() + r.height() - 2;
    const int rightLine = r.left() + r.width() - 2;
    if (StationOptions.ListLineBelow) {
        painter.setPen(platform::ToQColor(LineBelowColor));
        if (look.LineAboveFirstRow && row == 0)
            painter.drawLine(r.left(), r.top(), r.right(), r.top());
        painter.drawLine(r.left(), bottomLine, r.right(), bottomLine);
    }
    if (StationOptions.ListLineRight) {
        painter.setPen(platform::ToQColor(LineRightColor));
        painter.drawLine(rightLine, r.top(), rightLine, r.bottom());
    }
    painter.restore();
}

int ListItemHeight(std::initializer_list<DisplayRole> roles)
{
    int height = 0;
    for (const DisplayRole role : roles)
        height = std::max(height, ToQFont(RoleFonts[role]).pixelSize());
    return height + 5;
}
