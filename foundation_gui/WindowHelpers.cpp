#include "foundation_gui/WindowHelpers.h"

#include "platform_gui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the application's key presses for the ones meant for its window.
class EscapeCloser : public QObject {
public:
    explicit EscapeCloser(QWidget* window) : QObject(window), window_(window)
    {
        QApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape ||
            static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != window_ || !window_->isVisible())
            return false;
        window_->close();
        return true;
    }

private:
    QWidget* window_;
};

} // namespace

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

void ToggleWindow(QWidget* window)
{
    if (!window)
        return;
    window->setVisible(!window->isVisible());
    RestoreIfIconic(window);
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

void ShowModalWindow(QDialog* window, const QString& text)
{
    platform::DialogRequest request;
    request.kind = platform::DialogKind::Window;
    request.caption = window->windowTitle();
    request.text = text;
    platform::RunDialog(request, [window] {
        CentreOnScreen(window);
        window->exec();
        return platform::DialogAnswer{QMessageBox::Ok, {}};
    });
}

void CloseOnEscape(QWidget* window)
{
    new EscapeCloser(window);
}
