// The next-entry opener's promise to a channel that finds its entry still being opened: "opening"
// is always followed by WM_ENTRYOPENED, whenever the take falls against the worker's finish.
#include "playout/NextEntryOpener.h"

#include "platform/Messages.h"

#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace {

// Work the compiler cannot drop, to place a call a little earlier or later against the worker.
void BusyWork(int steps)
{
    for (int step = 0; step < steps; ++step)
        asm volatile("" ::: "memory");
}

class OpenedCounter : public QObject {
public:
    int opened = 0;

protected:
    bool event(QEvent* event) override
    {
        if (auto* message = platform::AsMessage(event);
            message && message->Msg() == platform::WM_ENTRYOPENED) {
            ++opened;
            return true;
        }
        return QObject::event(event);
    }
};

TEST(NextEntryOpenerTest, TakesSweptAcrossTheOpensEndAreNeverLeftWaiting)
{
    OpenedCounter channel;
    platform::RegisterWindow(&channel, QStringLiteral("TOpenedCounter"));
    TNextEntryOpener opener(&channel);
    // A short open, so the takes below land before, during and just after the worker's finish.
    std::atomic<int> started = 0;
    opener.SetOpenFunction([&](int, const QString&) {
        ++started;
        BusyWork(30000);
        return audiolib::Handle(0);
    });

    for (int round = 0; round < 4000; ++round) {
        const QString path = QStringLiteral("entry%1.wav").arg(round);
        const int before = started;
        opener.Want(0, path);
        // From the start of the open, so the takes sweep across its whole length and past its end.
        while (started == before) {
        }
        BusyWork(round % 400 * 100);
        bool opening = false;
        opener.Take(0, path, opening);
        opener.WaitIdle();
        const int told = channel.opened;
        QCoreApplication::sendPostedEvents(&channel, 0);
        if (opening) {
            ASSERT_EQ(channel.opened, told + 1) << "round " << round << ": the channel waits for ever";
        } else {
            ASSERT_EQ(channel.opened, told) << "round " << round;
        }
    }
}

TEST(NextEntryOpenerTest, ATakeDuringTheOpenIsToldWhenItEnds)
{
    OpenedCounter channel;
    platform::RegisterWindow(&channel, QStringLiteral("TOpenedCounter"));
    TNextEntryOpener opener(&channel);
    std::promise<void> started;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    opener.SetOpenFunction([&](int, const QString&) {
        started.set_value();
        released.wait();
        return audiolib::Handle(0);
    });

    opener.Want(0, QStringLiteral("slow.wav"));
    started.get_future().wait();
    bool opening = false;
    EXPECT_EQ(opener.Take(0, QStringLiteral("slow.wav"), opening), 0u);
    EXPECT_TRUE(opening);
    release.set_value();
    opener.WaitIdle();
    QCoreApplication::sendPostedEvents(&channel, 0);
    EXPECT_EQ(channel.opened, 1);
}

} // namespace
