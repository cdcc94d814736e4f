#include "controls/LbButtonThread.h"

TLbButtonThread::TLbButtonThread(QObject* owner, std::function<void()> step) : QObject(owner)
{
    timer_.setInterval(StepInterval);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, std::move(step));
}

void TLbButtonThread::Resume()
{
    if (Suspended())
        timer_.start();
}

void TLbButtonThread::Suspend()
{
    timer_.stop();
}
