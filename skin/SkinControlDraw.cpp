#include "skin/SkinControlDraw.h"

#include "platform_gui/Color.h"
#include "skin/core/SkinDraw.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

QColor DisabledText()
{
    return platform::ToQColor(platform::clBtnShadow);
}

// Where the text lands: the measured block centred vertically in the rectangle.
QRect CentredTextRect(const QPainter& painter, const QRect& rect, int flags, const QString& text)
{
    const QRect measured = painter.fontMetrics().boundingRect(rect, flags | Qt::TextExpandTabs, text);
    QRect placed(rect.left(), rect.top() + (rect.height() - measured.height()) / 2, measured.width(),
                 measured.height());
    if (flags & Qt::AlignHCenter)
        placed.moveLeft(rect.left() + (rect.width() - measured.width()) / 2);
    else if (flags & Qt::AlignRight)
        placed.moveRight(rect.right());
    return placed;
}

} // namespace

int PushStateCell(QStyle::State state)
{
    if (!(state & QStyle::State_Enabled))
        return 3;
    if (state & (QStyle::State_Sunken | QStyle::State_On))
        return 2;
    if (state & (QStyle::State_MouseOver | QStyle::State_HasFocus))
        return 4;
    return 1;
}

int MnemonicFlag(const QStyle& style, const QStyleOption& option, const QWidget* widget)
{
    return style.styleHint(QStyle::SH_UnderlineShortcut, &option, widget) ? Qt::TextShowMnemonic
                                                                          : Qt::TextHideMnemonic;
}

void DrawSkinObject(QPainter& painter, const QRect& rect, int frames, int cell, const TDataSkinObject& object)
{
    if (rect.width() <= 0 || rect.height() <= 0 || object.Image.isNull())
        return;
    DrawSkinFrame(painter, rect, object.Image, false, object.Tile == 1, object.Trans == 1, frames, cell,
                  object.Edges());
}

void DrawTextCentered(QPainter& painter, const QRect& rect, int flags, bool enabled, const QString& text)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    if (!enabled)
        painter.setPen(DisabledText());
    const QRect placed = CentredTextRect(painter, rect, flags, text);
    painter.drawText(QRect(rect.left(), placed.top(), rect.width(), placed.height()),
                     flags | Qt::TextExpandTabs, text);
    painter.restore();
}

void DrawImageText(QPainter& painter, const QRect& rect, TImageTextPlacement placement, const QString& text,
                   const QPixmap& image, bool enabled)
{
    const bool withImage = !image.isNull() && image.width() < rect.width();
    const int imageWidth = withImage ? image.width() : 0;
    const QFontMetrics metrics = painter.fontMetrics();
    const QString shown =
        metrics.elidedText(text, Qt::ElideRight, std::max(0, rect.width() - imageWidth - 4));
    const int groupWidth = imageWidth + metrics.horizontalAdvance(shown);

    int left = rect.left() + 3;
    if (placement == TImageTextPlacement::Centre)
        left = rect.left() + (rect.width() - groupWidth) / 2;
    else if (placement == TImageTextPlacement::Right)
        left = rect.right() + 1 - 2 - groupWidth;
    left = std::max(left, rect.left() + 1);

    painter.save();
    if (withImage) {
        painter.drawPixmap(left, rect.top() + (rect.height() - image.height()) / 2, image);
        left += imageWidth;
    }
    if (!enabled)
        painter.setPen(DisabledText());
    painter.drawText(QRect(left, rect.top(), rect.right() + 1 - left, rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter.restore();
}

void DrawFocusText(QPainter& painter, int flags, const QRect& rect, const QString& text, const QMargins& grow,
                   const QRect& bounds)
{
    const QRect focus = CentredTextRect(painter, rect, flags, text)
                            .marginsAdded(grow)
                            .intersected(bounds.isValid() ? bounds : rect);
    if (focus.isEmpty())
        return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(painter.pen().color(), 1, Qt::DotLine));
    painter.drawRect(focus.adjusted(0, 0, -1, -1));
    painter.restore();
}
