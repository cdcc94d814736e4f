#pragma once
// The channel's list: shows the queue through TQueueDelegate, drags its selected rows, and takes
// drops from this list, the search results, folder pages, the combinations tree and the desktop.
#include <QListView>

class TChannelQueue;
class TQueueDelegate;

class TQueueListView : public QListView {
    Q_OBJECT
public:
    TQueueListView(TChannelQueue& queue, QWidget* parent = nullptr);

    TQueueDelegate& Delegate() const { return *delegate_; }
    // The row under the point, or the row count when the point lies below the last row.
    int DropTarget(const QPoint& point) const;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TChannelQueue& queue_;
    TQueueDelegate* delegate_;
};
