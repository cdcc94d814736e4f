#include "platform/Messages.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QThread>
#include <QtGlobal>

#include <mutex>

namespace platform {

namespace {

struct RegisteredWindow {
    QObject* window;
    QString className;
};

// Live windows in registration order. A window leaves it from its destroyed() signal, under the
// same lock a post holds, so a post never reaches an object that is past that point.
std::mutex registryLock;
QList<RegisteredWindow> registry;

bool IsRegisteredLocked(const QObject* window)
{
    for (const RegisteredWindow& entry : registry)
        if (entry.window == window)
            return true;
    return false;
}

void Unregister(const QObject* window)
{
    const std::lock_guard lock(registryLock);
    registry.removeIf([window](const RegisteredWindow& entry) { return entry.window == window; });
}

} // namespace

MessageEvent::MessageEvent(unsigned msg, WParam wParam, LParam lParam)
    : QEvent(EventType()), msg_(msg), wParam_(wParam), lParam_(lParam)
{
}

QEvent::Type MessageEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

MessageEvent* AsMessage(QEvent* event)
{
    if (event == nullptr || event->type() != MessageEvent::EventType())
        return nullptr;
    return static_cast<MessageEvent*>(event);
}

void RegisterWindow(QObject* window, const QString& className)
{
    Q_ASSERT(window != nullptr);
    {
        const std::lock_guard lock(registryLock);
        registry.append({window, className});
    }
    // No context object: the removal must run in the destroying thread, before the object is freed.
    QObject::connect(window, &QObject::destroyed, [window] { Unregister(window); });
}

QObject* FindWindow(const QString& className)
{
    const std::lock_guard lock(registryLock);
    for (const RegisteredWindow& entry : registry)
        if (entry.className == className)
            return entry.window;
    return nullptr;
}

bool PostMessage(QObject* window, unsigned msg, WParam wParam, LParam lParam)
{
    const std::lock_guard lock(registryLock);
    if (!IsRegisteredLocked(window))
        return false;
    QCoreApplication::postEvent(window, new MessageEvent(msg, wParam, lParam));
    return true;
}

LParam SendMessage(QObject* window, unsigned msg, WParam wParam, LParam lParam)
{
    {
        const std::lock_guard lock(registryLock);
        if (!IsRegisteredLocked(window))
            return 0;
    }
    if (window->thread() != QThread::currentThread()) {
        qWarning("SendMessage(0x%x) from a thread other than the window's: not delivered", msg);
        return 0;
    }
    MessageEvent event(msg, wParam, lParam);
    QCoreApplication::sendEvent(window, &event);
    return event.Result();
}

} // namespace platform
