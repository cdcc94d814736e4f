#pragma once
// A call handed from a thread of ours to another thread's event loop through Qt's posted-event queue.
// Qt is not built with the race detector, which cannot see the lock that queue holds: its
// suppressions name QueueCall, so a worker's post goes through here to be told from a real race.
#include <QObject>

#include <functional>
#include <utility>

namespace platform {

namespace detail {
void PostCall(QObject* receiver, std::function<void()>&& call);
} // namespace detail

// Queues the call to run on the receiver's thread and returns at once; dropped when the receiver is
// destroyed first. Any thread. The call is made into its function object here, so that the detector
// sees its captures written under this name.
template <typename Call> void QueueCall(QObject* receiver, Call&& call)
{
    detail::PostCall(receiver, std::function<void()>(std::forward<Call>(call)));
}

} // namespace platform
