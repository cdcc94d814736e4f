#include "foundation_gui/MinimizedGroup.h"

#include <QEvent>
#include <QWidget>

void TMinimizedGroup::Minimize(const QList<QWidget*>& windows)
{
    Forget();
    for (QWidget* window : windows) {
        if (!window || !window->isVisible() || window->isMinimized())
            continue;
        windows_.append(window);
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
    }
    // Watching only once every window is down: minimising one is not a restore of another.
    for (const QPointer<QWidget>& window : windows_)
        window->installEventFilter(this);
}

QList<QWidget*> TMinimizedGroup::Windows() const
{
    QList<QWidget*> windows;
    for (const QPointer<QWidget>& window : windows_)
        if (window && window->isMinimized())
            windows.append(window);
    return windows;
}

bool TMinimizedGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && !window->isMinimized())
            RestoreAll();
    }
    return QObject::eventFilter(watched, event);
}

void TMinimizedGroup::Forget()
{
    for (const QPointer<QWidget>& window : windows_)
        if (window)
            window->removeEventFilter(this);
    windows_.clear();
}

void TMinimizedGroup::RestoreAll()
{
    // Taken first: the others' own state changes must not restore again.
    const QList<QWidget*> waiting = Windows();
    Forget();
    for (QWidget* window : waiting)
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
}
