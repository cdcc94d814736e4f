#include "playout/QueueDelegate.h"

#include "foundation/Durations.h"
#include "foundation/Options.h"
#include "foundation_gui/DisplayRoles.h"
#include "platform_gui/Color.h"
#include "playout/ChannelQueue.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr platform::TColor LineBelowColor = 0x008000; // green
constexpr platform::TColor LineRightColor = 0x0000FF; // red

DisplayRole RoleOf(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (index.data(TChannelQueue::PlayingRole).toBool())
        return RoleChannelsPlaying;
    return option.state.testFlag(QStyle::State_Selected) ? RoleChannelsSelected : RoleChannels;
}

void DrawText(QPainter& painter, const QRect& rect, int left, DisplayRole role, const QString& text)
{
    painter.setFont(ToQFont(RoleFonts[role]));
    painter.setPen(platform::ToQColor(RoleFonts[role].Color));
    painter.drawText(QRect(left, rect.top(), std::max(rect.right() + 1 - left, 0), rect.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

} // namespace

void TQueueDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    const QRect r = option.rect;
    const DisplayRole role = RoleOf(option, index);
    const QString title = index.data(Qt::DisplayRole).toString();
    const QString duration = FormatDuration(index.data(TChannelQueue::DurationRole).toLongLong() * 1000);

    painter->save();
    painter->fillRect(r, platform::ToQColor(RoleColors[role]));

    const QFontMetrics info(ToQFont(RoleFonts[RoleChannelsInfo]));
    const int boxWidth = info.horizontalAdvance(duration) + info.horizontalAdvance(QStringLiteral("k"));
    const QRect box(r.right() + 1 - boxWidth, r.top(), boxWidth, r.height());

    // The title is cut where the duration box begins.
    painter->setClipRect(QRect(r.left(), r.top(), std::max(r.width() - boxWidth, 0), r.height()));
    DrawText(*painter, r, r.left() + 2, role, title);
    painter->setClipRect(box);
    painter->fillRect(box, platform::ToQColor(RoleColors[RoleChannelsInfo]));
    DrawText(*painter, box, box.left(), RoleChannelsInfo, duration);
    painter->setClipping(false);

    // The lines lie two pixels in from the row's bottom and right edges; only the first row has one
    // along its top as well.
    const int bottomLine = r.top() + r.height() - 2;
    const int rightLine = r.left() + r.width() - 2;
    if (StationOptions.ListLineBelow) {
        painter->setPen(platform::ToQColor(LineBelowColor));
        if (index.row() == 0)
            painter->drawLine(r.left(), r.top(), r.right(), r.top());
        painter->drawLine(r.left(), bottomLine, r.right(), bottomLine);
    }
    if (StationOptions.ListLineRight) {
        painter->setPen(platform::ToQColor(LineRightColor));
        painter->drawLine(rightLine, r.top(), rightLine, r.bottom());
    }
    painter->restore();
}

QSize TQueueDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width(), itemHeight_);
}

int TQueueDelegate::ChannelItemHeight()
{
    int height = 0;
    for (const DisplayRole role : {RoleChannels, RoleChannelsPlaying, RoleChannelsSelected, RoleChannelsInfo})
        height = std::max(height, ToQFont(RoleFonts[role]).pixelSize());
    return height + 5;
}
