#include "skin/HeaderPainter.h"

#include "skin/SkinControlDraw.h"
#include "skin/core/SkinDraw.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionHeader>

namespace {

class TSkinHeaderPainter : public TSkinPainter {
public:
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
};

void DrawHeaderCell(QPainter& painter, const QRect& rect, const TDataSkinObject& headerbar, int cell)
{
    DrawSkinFrame(painter, rect, headerbar.Image, false, headerbar.Tile == 1, false, headerbar.Frames, cell,
                  headerbar.Edges());
}

TImageTextPlacement Placement(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return TImageTextPlacement::Right;
    if (alignment & Qt::AlignHCenter)
        return TImageTextPlacement::Centre;
    return TImageTextPlacement::Left;
}

// The label in the application's font, not the header's own, and never greyed.
void DrawLabel(QPainter& painter, const QStyleOptionHeader& header, const QStyle& style,
               const QWidget* widget)
{
    if (header.text.isEmpty())
        return;
    QPixmap icon;
    if (!header.icon.isNull()) {
        const int size = style.pixelMetric(QStyle::PM_SmallIconSize, &header, widget);
        icon = header.icon.pixmap(QSize(size, size),
                                  painter.device() ? painter.device()->devicePixelRatio() : 1.0);
    }
    painter.save();
    painter.setFont(QApplication::font());
    painter.setPen(platform::ToQColor(platform::clWindowText));
    DrawImageText(painter, header.rect, Placement(header.textAlignment), header.text, icon, true);
    painter.restore();
}

} // namespace

bool TSkinHeaderPainter::DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                                     const QStyleOption& option, QPainter& painter,
                                     const QWidget* widget) const
{
    const std::optional<TDataSkinObject>& headerbar = context.Skin.Headerbar;
    if (!headerbar || headerbar->Image.isNull())
        return false;
    switch (element) {
    case QStyle::CE_HeaderSection:
        DrawHeaderCell(painter, option.rect, *headerbar, option.state & QStyle::State_MouseOver ? 2 : 1);
        return true;
    case QStyle::CE_HeaderEmptyArea:
        DrawHeaderCell(painter, option.rect, *headerbar, 1);
        return true;
    case QStyle::CE_HeaderLabel:
        if (const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(&option)) {
            DrawLabel(painter, *header, context.Base, widget);
            return true;
        }
        return false;
    default:
        return false;
    }
}

const TSkinPainter& HeaderPainter()
{
    static const TSkinHeaderPainter painter;
    return painter;
}
