#include "playout/QueueDelegate.h"

#include "foundation/Durations.h"
#include "foundation_gui/ListRowPainter.h"
#include "playout/ChannelQueue.h"

void TQueueDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    TListRowLook look{RoleChannels, RoleChannelsInfo, RoleChannelsInfo};
    look.NameIndent = 2;
    look.LineAboveFirstRow = true;
    if (index.data(TChannelQueue::PlayingRole).toBool())
        look.Row = RoleChannelsPlaying;
    else if (option.state.testFlag(QStyle::State_Selected))
        look.Row = RoleChannelsSelected;
    PaintListRow(*painter, option.rect, index.row(), look, index.data(Qt::DisplayRole).toString(),
                 FormatDuration(index.data(TChannelQueue::DurationRole).toLongLong() * 1000));
}

QSize TQueueDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width(), itemHeight_);
}

int TQueueDelegate::ChannelItemHeight()
{
    return ListItemHeight({RoleChannels, RoleChannelsPlaying, RoleChannelsSelected, RoleChannelsInfo});
}
