#include "playout/QueueListView.h"

#include "playout/ChannelQueue.h"
#include "playout/QueueDelegate.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

TQueueListView::TQueueListView(TChannelQueue& queue, QWidget* parent)
    : QListView(parent), queue_(queue), delegate_(new TQueueDelegate(this))
{
    setModel(&queue_);
    setSelectionModel(&queue_.Selection());
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

int TQueueListView::DropTarget(const QPoint& point) const
{
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : queue_.Count();
}

void TQueueListView::startDrag(Qt::DropActions)
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    // The drop moves the rows itself; the drag only tells it where.
    auto* drag = new QDrag(this);
    drag->setMimeData(queue_.mimeData(rows));
    drag->exec(Qt::MoveAction);
}

void TQueueListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (queue_.CanDrop(*event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TQueueListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!queue_.CanDrop(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const QPoint point = event->position().toPoint();
    const int margin = autoScrollMargin();
    if (point.y() < margin || point.y() > viewport()->height() - margin)
        startAutoScroll();
}

void TQueueListView::dropEvent(QDropEvent* event)
{
    if (!queue_.CanDrop(*event->mimeData())) {
        event->ignore();
        return;
    }
    stopAutoScroll();
    queue_.Drop(*event->mimeData(), DropTarget(event->position().toPoint()));
    // Nothing is left for a drag source to remove: moves happen here, other sources only copy.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
