#pragma once
// Runs a blocking client call on a thread of its own while this (the GUI) thread keeps serving events,
// so a test can talk to a server living in its own event loop.
#include <QCoreApplication>
#include <QEventLoop>

#include <atomic>
#include <thread>

template <typename Call> auto ServeWhile(Call call)
{
    decltype(call()) result{};
    std::atomic<bool> done = false;
    std::thread client([&] {
        result = call();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    client.join();
    QCoreApplication::processEvents(); // what the server does after answering
    return result;
}
