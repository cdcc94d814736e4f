#pragma once
// The fade worker of the program's buttons: one step every 30 ms on the GUI thread while a hot
// colour fades back. A timer, not a thread: a worker waiting on the GUI thread for each step could
// deadlock against a GUI thread waiting for the worker, and the steps run on the GUI thread anyway.
#include <QObject>
#include <QTimer>

#include <functional>

class TLbButtonThread : public QObject {
    Q_OBJECT
public:
    static constexpr int StepInterval = 30; // ms

    // Created suspended; step runs once per interval while resumed.
    TLbButtonThread(QObject* owner, std::function<void()> step);

    void Resume();
    void Suspend();
    bool Suspended() const { return !timer_.isActive(); }
    int Interval() const { return timer_.interval(); }

private:
    QTimer timer_;
};
