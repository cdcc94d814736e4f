#include "foundation_gui/WindowHelpers.h"

#include "platform_gui/Dialogs.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QString BrowseForFolder(const QString& caption, const QString& initialFolder)
{
    return platform::ChooseFolder(caption, initialFolder);
}

void DragMoveWindow(QWidget* window)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (QWindow* handle = window->window()->windowHandle())
        handle->startSystemMove();
}

void RestoreIfIconic(QWidget* window)
{
    if (window->isMinimized())
        QMetaObject::invokeMethod(window, &QWidget::showNormal, Qt::QueuedConnection);
}

void SetTopmost(QWidget* window)
{
    QWidget* top = window->window();
    const QRect geometry = top->geometry();
    const bool visible = top->isVisible();
    // Changing the flags re-creates the native window hidden: show it again where it was.
    top->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    top->setGeometry(geometry);
    if (visible)
        top->show();
}

void CentreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}
