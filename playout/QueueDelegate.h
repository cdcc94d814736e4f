#pragma once
// Draws one queue entry the way the channel's list has always looked: the title in the role's font
// on the role's colour (playing, selected or plain), the duration "nn:ss" in its own box at the
// right, and the optional green line below and red line at the right of each row.
#include <QStyledItemDelegate>

class TQueueDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height) { itemHeight_ = height; }

    // The largest pixel height of the channel roles' fonts, plus 5.
    static int ChannelItemHeight();

private:
    int itemHeight_ = 16;
};
