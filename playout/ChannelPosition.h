#pragma once
// Where the entry on air is: the position timer moves the channel's position bar and counts the queue
// time down; only the operator's actions on the bar seek. Non-visual: the window mirrors the bar.
#include <QObject>

class TChannelQueue;

class TChannelPosition : public QObject {
    Q_OBJECT
public:
    explicit TChannelPosition(TChannelQueue& queue, QObject* parent = nullptr);

    // The 500 ms tick. While the slot holds an entry: the bar shows the percentage played (a stream
    // shorter than a second leaves it as it is) and the countdown follows. The queue's remaining
    // time runs down only while the entry is heard, not while it is paused.
    void Tick();
    // The operator put the bar at percent (0..100): the entry on air seeks there.
    void Seek(int percent);

signals:
    // The bar's new place; never a seek.
    void PositionShown(int percent);

private:
    TChannelQueue& queue_;
    int channelNo_;
};
