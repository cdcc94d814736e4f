#pragma once
// Waiting on another process: the condition polled every 50 ms until it holds or the time is up.
#include <QElapsedTimer>
#include <QThread>

#include <functional>

inline bool PollUntil(const std::function<bool()>& condition, int milliseconds = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return false;
}
