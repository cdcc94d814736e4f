#include "platform/QueuedCall.h"

#include <QMetaObject>

namespace platform::detail {

// Out of line: the detector keeps no frame of Qt's, and names a function of ours by the line where it
// calls the next one; a report raised inside Qt's queue thus shows the QueueCall that called this.
[[gnu::noinline]] void PostCall(QObject* receiver, std::function<void()>&& call)
{
    QMetaObject::invokeMethod(receiver, std::move(call), Qt::QueuedConnection);
}

} // namespace platform::detail
