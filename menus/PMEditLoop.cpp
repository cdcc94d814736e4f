#include "menus/PMEditLoop.h"

#include "menus/PMEditItem.h"
#include "menus/PMModalHandler.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

namespace {

bool IsMouse(QEvent::Type type)
{
    return type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease || type == QEvent::Wheel;
}

// Alt held without Ctrl; AltGr types text.
bool SystemKey(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier) &&
           !(modifiers & Qt::GroupSwitchModifier) && key->key() != Qt::Key_AltGr;
}

} // namespace

TPMEditLoop::TPMEditLoop(TPMEditItemViewer* viewer, QObject* viewerLifetime, QLineEdit* edit)
    : viewer_(viewer), viewerAlive_(viewerLifetime), item_(viewer->Item()), edit_(edit),
      handler_(TPMModalHandler::Current()), modalAtStart_(QApplication::activeModalWidget())
{
    connect(viewerLifetime, &QObject::destroyed, this, [this] { End(); });
    connect(item_, &QObject::destroyed, this, [this] { End(); });
    connect(edit, &QObject::destroyed, this, [this] { End(); });
    if (handler_ != nullptr)
        connect(handler_, &TPMModalHandler::Ending, this, [this] { End(); });
    connect(qApp, &QGuiApplication::focusObjectChanged, this, [this] { Check(); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            deactivated_ = true;
        Check();
    });
}

TPMEditLoop::~TPMEditLoop()
{
    qApp->removeEventFilter(this);
    if (handler_ != nullptr) {
        handler_->SetInnerLoop(false);
        handler_->SetPointerGrab(true);
    }
}

unsigned TPMEditLoop::Run()
{
    if (handler_ != nullptr)
        handler_->SetInnerLoop(true);
    // Installed after the menu loop's filter, so it sees every event first.
    qApp->installEventFilter(this);
    Check();
    if (!ended_)
        loop_.exec();
    qApp->removeEventFilter(this);
    return status_;
}

void TPMEditLoop::End()
{
    ended_ = true;
    loop_.quit();
}

void TPMEditLoop::Check()
{
    if (ended_)
        return;
    QObject* focus = QGuiApplication::focusObject();
    if (focus == edit_ && edit_ != nullptr)
        hadFocus_ = true;
    const bool focusLost = hadFocus_ && focus != edit_;
    if (!(status_ & esEditing) || viewerAlive_ == nullptr || item_ == nullptr || !item_->Enabled() ||
        edit_ == nullptr || focusLost || deactivated_ || QApplication::activeModalWidget() != modalAtStart_)
        End();
}

bool TPMEditLoop::OverEdit(QPoint screenPoint) const
{
    return edit_ != nullptr && edit_->isVisible() &&
           edit_->rect().contains(edit_->mapFromGlobal(screenPoint));
}

void TPMEditLoop::PointerOverEdit(bool over)
{
    if (over == overEdit_)
        return;
    overEdit_ = over;
    // The mouse over the line edit is its own; elsewhere the menu holds it and shows the arrow.
    if (handler_ != nullptr)
        handler_->SetPointerGrab(!over);
    QGuiApplication::changeOverrideCursor(over ? Qt::IBeamCursor : Qt::ArrowCursor);
}

bool TPMEditLoop::eventFilter(QObject* receiver, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool input = IsMouse(type) || type == QEvent::KeyPress || type == QEvent::KeyRelease;
    if (input && handler_ != nullptr)
        handler_->NoteInput(static_cast<QInputEvent*>(event)->timestamp());
    if (deferring_) {
        if (!input || type == QEvent::KeyRelease)
            return false;
        if (handler_ != nullptr)
            handler_->DeferInput(event);
        return true;
    }
    if (ended_)
        return false;
    Check();
    if (ended_)
        return false;
    if (IsMouse(type)) {
        const QPoint screen = type == QEvent::Wheel
                                  ? static_cast<QWheelEvent*>(event)->globalPosition().toPoint()
                                  : static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        const bool over = OverEdit(screen);
        PointerOverEdit(over);
        if (over)
            return false;
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            // Ends the edit, nothing accepted; the menu loop handles the press once the edit is gone.
            deferring_ = true;
            if (handler_ != nullptr)
                handler_->DeferInput(event);
            End();
        }
        return true;
    }
    if (type == QEvent::Leave && receiver == edit_) {
        PointerOverEdit(false);
        return false;
    }
    if (type == QEvent::KeyRelease) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) {
            status_ = esClose;
            End();
            return true;
        }
        return false;
    }
    if (type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (AltKey(key))
        return true;
    if (receiver == edit_)
        return EditKey(key);
    if (receiver->isWidgetType() && static_cast<QWidget*>(receiver)->window() != edit_->window()) {
        // The line edit has not got the focus yet: its keys still reach it.
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                       key->count());
        QApplication::sendEvent(edit_, &copy);
        return true;
    }
    return false;
}

bool TPMEditLoop::AltKey(QKeyEvent* key)
{
    if (!SystemKey(key))
        return false;
    switch (key->key()) {
    case Qt::Key_Alt:
    case Qt::Key_Shift:
    case Qt::Key_Kanji:
    case Qt::Key_Hangul_Hanja:
        return false;
    default:
        status_ = esClose;
        End();
        return true;
    }
}

bool TPMEditLoop::EditKey(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        break;
    default:
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Tab:
        status_ = esAccepted;
        break;
    case Qt::Key_Backtab:
        status_ = esAccepted;
        backward_ = true;
        break;
    case Qt::Key_Escape:
        status_ = 0;
        End();
        return true;
    default:
        status_ = esAccepted | esClose;
        break;
    }
    Accept();
    End();
    return true;
}

void TPMEditLoop::Accept()
{
    // A handler may free the viewer, the item, the menu or its window, open a box or throw.
    try {
        const QString text = edit_->text();
        viewer_->AcceptText(text);
    } catch (...) {
        exception_ = std::current_exception();
    }
}
