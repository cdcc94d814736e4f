#include "platform/Messages.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QPointer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace platform;

namespace {

struct Received {
    unsigned msg;
    WParam wParam;
    LParam lParam;
    bool operator==(const Received&) const = default;
};

// A window that keeps every message it gets and answers a sent one with wParam + lParam.
class RecordingWindow : public QObject {
public:
    explicit RecordingWindow(const QString& className) { RegisterWindow(this, className); }
    QList<Received> received;

protected:
    bool event(QEvent* e) override
    {
        if (MessageEvent* message = AsMessage(e)) {
            received.append({message->Msg(), message->WParamValue(), message->LParamValue()});
            message->SetResult(static_cast<LParam>(message->WParamValue()) + message->LParamValue());
            return true;
        }
        return QObject::event(e);
    }
};

// Destroys the window the way windows go, through deleteLater.
void DestroyNow(QObject* window)
{
    window->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(Messages, PostsFromAWorkerArriveOnceAndInOrder)
{
    RecordingWindow window("TFChannel1");
    constexpr int count = 200;
    std::thread worker([&] {
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(PostMessage(&window, WM_PLAYNEXT + (i % 2), WParam(i), -i));
    });
    worker.join();
    EXPECT_TRUE(window.received.isEmpty()); // nothing is delivered outside the event loop
    QCoreApplication::sendPostedEvents(&window);

    ASSERT_EQ(window.received.size(), count);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(window.received[i], (Received{WM_PLAYNEXT + (i % 2), WParam(i), LParam(-i)})) << i;
}

TEST(Messages, SendIsSynchronousAndReturnsTheResult)
{
    RecordingWindow window("TFFolders");
    EXPECT_EQ(SendMessage(&window, WM_SYSCOMMAND, SC_SETMAINWINDOW, 5), LParam(SC_SETMAINWINDOW + 5));
    ASSERT_EQ(window.received.size(), 1);
    EXPECT_EQ(window.received[0].msg, WM_SYSCOMMAND);
}

TEST(Messages, AWindowThatIsGoneGetsNothing)
{
    QObject* handle = new RecordingWindow("TFCUEPlayer");
    ASSERT_TRUE(PostMessage(handle, WM_CUEEND));
    DestroyNow(handle); // with a message still queued for it
    QCoreApplication::sendPostedEvents();

    EXPECT_FALSE(PostMessage(handle, WM_CUEEND));
    EXPECT_EQ(SendMessage(handle, WM_CUEEND), 0);

    QObject unregistered;
    EXPECT_FALSE(PostMessage(&unregistered, WM_CUEEND));
}

TEST(Messages, AWorkerMayPostWhileTheWindowIsDestroyed)
{
    auto* window = new RecordingWindow("TFChannel1");
    std::atomic<int> posted{0};
    std::atomic<int> refused{0};
    std::atomic<bool> postedAfterRefusal{false};
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        while (!stop) {
            if (PostMessage(window, WM_PLAYNEXT)) {
                ++posted;
                if (refused > 0)
                    postedAfterRefusal = true;
            } else {
                ++refused;
            }
        }
    });
    while (posted < 100)
        std::this_thread::yield();
    DestroyNow(window);
    while (refused < 100)
        std::this_thread::yield();
    stop = true;
    worker.join();
    EXPECT_FALSE(postedAfterRefusal);
    QCoreApplication::sendPostedEvents();
}

TEST(Messages, FindWindowSeesOnlyLiveWindowsByClassName)
{
    EXPECT_EQ(FindWindow("TFTest"), nullptr);
    {
        RecordingWindow window("TFTest");
        RecordingWindow other("TFOther");
        EXPECT_EQ(FindWindow("TFTest"), &window);
        EXPECT_EQ(FindWindow("TFOther"), &other);
        EXPECT_EQ(FindWindow("tftest"), nullptr); // class names are exact
    }
    EXPECT_EQ(FindWindow("TFTest"), nullptr);
    EXPECT_EQ(FindWindow("TFOther"), nullptr);
}

TEST(Messages, OtherEventsAreNotMessages)
{
    QEvent plain(QEvent::User);
    EXPECT_EQ(AsMessage(&plain), nullptr);
    MessageEvent message(WM_SKIPLOGIN, 0, 0);
    EXPECT_EQ(AsMessage(&message), &message);
}
