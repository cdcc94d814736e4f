#include "menus/PMModalHandler.h"

#include "menus/PMCustomItem.h"
#include "menus/PMItemViewer.h"
#include "menus/PMLibrary.h"
#include "menus/PMPlatform.h"
#include "menus/PMPopupWindow.h"
#include "menus/PMReleaseWatch.h"
#include "platform_gui/DesktopSettings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

namespace {

TPMModalHandler* current = nullptr;

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

// Drops the key events the menu saw (stamped no later than its last input) until the loop is idle,
// so no keystroke typed into the menu reaches the window below.
class KeyDropper : public QObject {
public:
    explicit KeyDropper(ulong until) : until_(until)
    {
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            qApp->removeEventFilter(this);
            deleteLater();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        return static_cast<QKeyEvent*>(event)->timestamp() <= until_;
    }

private:
    ulong until_;
};

} // namespace

TPMModalHandler::TPMModalHandler() : modalAtStart_(QApplication::activeModalWidget())
{
    LastMousePos() = QCursor::pos();
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    NotifyAccessEvent(EVENT_SYSTEM_MENUSTART, &window_, OBJID_CLIENT, 0);
    hintTimer_.setSingleShot(true);
    connect(&hintTimer_, &QTimer::timeout, this, [this] { Guarded([this] { ShowHint(); }); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            LoseCapture();
    });
}

TPMModalHandler::~TPMModalHandler()
{
    if (current == this)
        current = nullptr;
    qApp->removeEventFilter(this);
    NotifyAccessEvent(EVENT_SYSTEM_MENUEND, &window_, OBJID_CLIENT, 0);
    QGuiApplication::restoreOverrideCursor();
    new KeyDropper(lastInputTime_);
}

TPMModalHandler* TPMModalHandler::Current()
{
    return current;
}

void TPMModalHandler::RunLoop(TPMView* rootView, bool rightButton)
{
    root_ = rootView;
    rightButton_ = rightButton;
    rootView->CloseAction() = TPMCloseAction();
    rootView->Validate();
    // A real pointer grab, so presses anywhere on the screen reach the loop; the offscreen platform
    // refuses it and the loop runs on its flag alone.
    if (QWindow* handle = rootView->Window()->windowHandle())
        grabbed_ = handle->setMouseGrabEnabled(true);
    TPMModalHandler* previous = current;
    current = this;
    running_ = true;
    qApp->installEventFilter(this);
    if (!ended_)
        loop_.exec();
    running_ = false;
    current = previous;
    qApp->removeEventFilter(this);
    if (!ended_ && root_ != nullptr && root_->CloseAction().kind == cakNone)
        root_->CloseAction().kind = cakCancel; // the application quit: no command
    if (root_ != nullptr) {
        root_->ReleaseCapture();
        if (grabbed_ && root_->Window()->windowHandle())
            root_->Window()->windowHandle()->setMouseGrabEnabled(false);
    }
    grabbed_ = false;
    hintText_.clear();
    CancelHint();
}

void TPMModalHandler::End()
{
    ended_ = true;
    loop_.quit();
    emit Ending();
}

void TPMModalHandler::Cancel()
{
    if (root_ != nullptr)
        root_->CloseAction().kind = cakCancel;
    End();
}

void TPMModalHandler::Guarded(const std::function<void()>& call)
{
    try {
        call();
    } catch (...) {
        if (!exception_)
            exception_ = std::current_exception();
        End();
    }
}

std::exception_ptr TPMModalHandler::TakeException()
{
    return std::exchange(exception_, nullptr);
}

void TPMModalHandler::LoseCapture()
{
    if (!capture_)
        return;
    capture_ = false;
    if (grabbed_ && root_ != nullptr && root_->Window()->windowHandle())
        root_->Window()->windowHandle()->setMouseGrabEnabled(false);
    grabbed_ = false;
    End();
}

void TPMModalHandler::CheckCapture()
{
    const QWidget* grabber = QWidget::mouseGrabber();
    if (QApplication::activeModalWidget() != modalAtStart_ || (grabber != nullptr && !InChain(grabber)))
        LoseCapture();
}

bool TPMModalHandler::eventFilter(QObject* receiver, QEvent* event)
{
    if (!running_)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowBlocked && qobject_cast<TPMPopupWindow*>(receiver) != nullptr)
        LoseCapture();
    if (!replay_.empty()) {
        // The menu is ending on a press outside it: what follows is replayed after that press.
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
            return IsInput(type);
        replay_.emplace_back(static_cast<QInputEvent*>(event->clone()));
        return true;
    }
    if (IsInput(type))
        CheckCapture();
    if (!capture_ || ended_)
        return false;
    if (innerLoop_ && type != QEvent::ShortcutOverride && type != QEvent::Shortcut)
        return false;
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        NoteInput(static_cast<QInputEvent*>(event)->timestamp());
        Handle(event);
        // What an inner loop run by that input left to the menu, in order.
        for (size_t i = 0; i < deferred_.size() && capture_; ++i) {
            if (!replay_.empty()) { // a press outside ended the menu: the rest follows it
                if (deferred_[i]->type() != QEvent::Wheel && deferred_[i]->type() != QEvent::KeyPress)
                    replay_.push_back(std::move(deferred_[i]));
            } else if (!ended_) {
                Handle(deferred_[i].get());
            }
        }
        deferred_.clear();
        return true;
    case QEvent::ShortcutOverride:
        event->accept();
        return true;
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::WhatsThis:
    case QEvent::QueryWhatsThis:
    case QEvent::WhatsThisClicked:
        return true;
    default:
        return false;
    }
}

void TPMModalHandler::Handle(QEvent* event)
{
    Guarded([&] { HandleInput(event); });
    if (root_ == nullptr || root_->CloseAction().kind != cakNone)
        End();
    else if (LastMousePos().x() == NoMousePosition)
        Guarded([&] { RefreshCursorAndHint(); });
}

void TPMModalHandler::DeferInput(const QEvent* event)
{
    deferred_.emplace_back(static_cast<QInputEvent*>(event->clone()));
}

void TPMModalHandler::SetPointerGrab(bool on)
{
    if (!capture_ || root_ == nullptr || on == grabbed_)
        return;
    if (QWindow* handle = root_->Window()->windowHandle())
        grabbed_ = handle->setMouseGrabEnabled(on) && on;
}

bool TPMModalHandler::HandleInput(QEvent* event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::Wheel &&
        event->type() != QEvent::MouseButtonRelease)
        CancelHint();
    if (event->type() == QEvent::KeyPress) {
        HandleKey(static_cast<QKeyEvent*>(event));
    } else if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (TPMItemViewer* viewer = ViewerUnderMouse()) {
            const QPoint local = viewer->View()->ScreenToClient(wheel->globalPosition().toPoint());
            viewer->HandleMouseWheel(wheel->angleDelta().y(), local.x() - viewer->BoundsRect.Left,
                                     local.y() - viewer->BoundsRect.Top);
        }
    } else {
        HandleMouse(static_cast<QMouseEvent*>(event));
    }
    return true;
}

TPMView* TPMModalHandler::Innermost() const
{
    TPMView* view = root_;
    while (view != nullptr && view->OpenSubmenuView() != nullptr)
        view = view->OpenSubmenuView();
    return view;
}

bool TPMModalHandler::InChain(const QWidget* window) const
{
    for (TPMView* view = root_; view != nullptr; view = view->OpenSubmenuView())
        if (view->Window() == window)
            return true;
    return false;
}

void TPMModalHandler::TrackMouse(QPoint screenPoint, bool alwaysHit)
{
    TPMView* innermost = Innermost();
    for (TPMView* view = innermost; view != nullptr && view != root_; view = view->ParentView())
        if (view->Capture()) {
            view->TrackMouse(screenPoint, alwaysHit);
            return;
        }
    for (QPointer<TPMView> view = innermost; view != nullptr; view = view->ParentView())
        view->TrackMouse(screenPoint, alwaysHit);
}

TPMItemViewer* TPMModalHandler::ViewerUnderMouse()
{
    for (TPMView* view = root_; view != nullptr; view = view->OpenSubmenuView())
        if (view->Capture())
            return view->Selected();
    for (TPMView* view = root_; view != nullptr; view = view->OpenSubmenuView()) {
        if (view->Selected() != nullptr && view->MouseOverSelected())
            return view->Selected();
        if (view->State() & vsMouseInside)
            return nullptr;
    }
    return nullptr;
}

void TPMModalHandler::HandleMouse(QMouseEvent* event)
{
    const QPoint screen = event->globalPosition().toPoint();
    const QEvent::Type type = event->type();
    const bool tracked =
        event->button() == Qt::LeftButton || (rightButton_ && event->button() == Qt::RightButton);
    auto local = [](TPMItemViewer* viewer, QPoint screenPoint) {
        const QPoint client = viewer->View()->ScreenToClient(screenPoint);
        return QPoint(client.x() - viewer->BoundsRect.Left, client.y() - viewer->BoundsRect.Top);
    };
    if (type == QEvent::MouseMove) {
        if (screen == LastMousePos())
            return;
        LastMousePos() = screen;
        TrackMouse(screen, true);
        RefreshCursorAndHint();
        if (TPMItemViewer* viewer = ViewerUnderMouse()) {
            const QPoint at = local(viewer, screen);
            viewer->HandleMouseMove(at.x(), at.y());
        }
        return;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if ((event->button() == Qt::LeftButton || event->button() == Qt::RightButton) &&
            !InChain(MenuWindowAt(screen))) {
            // A press elsewhere ends the menu; it still reaches what it was aimed at.
            replayTarget_ = QApplication::widgetAt(screen);
            replay_.emplace_back(static_cast<QInputEvent*>(event->clone()));
            if (root_ != nullptr)
                root_->CloseAction().kind = cakCancel;
            return;
        }
        if (!tracked)
            return;
        pressedOnMenu_ = false;
        root_->SetState(vsIgnoreFirstUp, false);
        TrackMouse(screen, true);
        if (TPMItemViewer* viewer = ViewerUnderMouse()) {
            const QPoint at = local(viewer, screen);
            viewer->HandleMouseDown(type == QEvent::MouseButtonDblClick ? ssDouble : 0, at.x(), at.y(),
                                    pressedOnMenu_);
        }
        LastMousePos() = screen;
        return;
    }
    if (type == QEvent::MouseButtonRelease && tracked) {
        TrackMouse(screen, false);
        if (TPMItemViewer* viewer = ViewerUnderMouse()) {
            const QPoint at = local(viewer, screen);
            viewer->HandleMouseUp(at.x(), at.y(), pressedOnMenu_);
        } else if (!InChain(MenuWindowAt(screen))) {
            if (root_->State() & vsIgnoreFirstUp)
                root_->SetState(vsIgnoreFirstUp, false);
            else
                root_->CloseAction().kind = cakCancel;
        }
    }
}

void TPMModalHandler::HandleKey(QKeyEvent* event)
{
    const Qt::MouseButtons held = QGuiApplication::mouseButtons();
    const bool buttonHeld = (held & Qt::LeftButton) || (rightButton_ && (held & Qt::RightButton));
    int key = event->key();
    if (buttonHeld && key != Qt::Key_F1)
        return;
    TPMView* view = Innermost();
    if (view->Selected() != nullptr)
        view->Selected()->HandleKey(key, event->modifiers());
    if (key != 0)
        view->HandleKey(key, event->modifiers());
    if (key == 0 || root_ == nullptr || root_->CloseAction().kind != cakNone || buttonHeld)
        return;
    // A key the views left is a character: an accelerator, or a beep.
    const QString text = event->text();
    if (text.isEmpty() || !text[0].isPrint())
        return;
    bool unique = false;
    TPMView* innermost = Innermost();
    if (TPMItemViewer* hit = innermost->FindAccelerated(innermost->Selected(), text[0], unique)) {
        innermost->ChooseViewer(hit, false);
        innermost->ScrollSelectionIntoView();
        if (unique)
            innermost->RunSelected(true);
        return;
    }
    platform::CurrentDesktopSettings().Beep();
}

void TPMModalHandler::RefreshCursorAndHint()
{
    if (LastMousePos().x() == NoMousePosition)
        LastMousePos() = QCursor::pos();
    TrackMouse(LastMousePos(), true);
    TPMView* view = Innermost();
    Qt::CursorShape cursor = Qt::ArrowCursor;
    hintText_.clear();
    CancelHint();
    if (view != nullptr && view->Selected() != nullptr) {
        TPMItemViewer* selected = view->Selected();
        const QPoint client = view->ScreenToClient(LastMousePos());
        selected->CursorAt(
            QPoint(client.x() - selected->BoundsRect.Left, client.y() - selected->BoundsRect.Top), cursor);
        hintText_ = selected->Item()->Hint().section(u'|', 1);
        const bool hints =
            (view->Style() & vstShowAllHints) || (selected->Item()->ResolvedOptions() & tboShowHint);
        if (hints && !view->Capture()) {
            // The grab sends every mouse event to the root popup, so Qt's own hints would name the
            // wrong window: the loop shows the entry's hint itself after the usual delay.
            hintView_ = view;
            hintTimer_.start(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay));
        }
    }
    QGuiApplication::changeOverrideCursor(cursor);
}

void TPMModalHandler::CancelHint()
{
    hintTimer_.stop();
    hintView_ = nullptr;
    QToolTip::hideText();
}

void TPMModalHandler::ShowHint()
{
    TPMView* view = hintView_;
    if (view == nullptr || view->Selected() == nullptr || view != Innermost())
        return;
    TPMItemViewer* selected = view->Selected();
    const QString hint = selected->HintText();
    if (hint.isEmpty())
        return;
    const QRect bounds = selected->BoundsRect.ToQRect().translated(view->ClientOffset());
    QToolTip::showText(LastMousePos(), hint, view->Window(), bounds);
}

void TPMModalHandler::ReplayOutsidePress()
{
    QWidget* target = replayTarget_ != nullptr ? replayTarget_->window() : nullptr;
    QWindow* window = target != nullptr ? target->windowHandle() : nullptr;
    // Another program's window or the desktop: nothing to replay to.
    if (window == nullptr) {
        replay_.clear();
        return;
    }
    const QMouseEvent* unreleased = nullptr;
    const QEvent* posted = nullptr;
    for (const auto& input : replay_) {
        const auto* mouse = static_cast<const QMouseEvent*>(input.get());
        QMouseEvent* replayed = NewMouseEventFor(window, mouse->type(), mouse->globalPosition(),
                                                 mouse->button(), mouse->buttons(), *mouse);
        if (mouse->type() == QEvent::MouseButtonPress) {
            unreleased = mouse;
            posted = replayed;
        } else if (mouse->type() == QEvent::MouseButtonRelease && unreleased != nullptr &&
                   mouse->button() == unreleased->button()) {
            unreleased = nullptr;
        }
        QCoreApplication::postEvent(window, replayed);
    }
    if (unreleased != nullptr)
        TPMReleaseWatch::Start(window, *unreleased, posted);
    replay_.clear();
}

void RunInMenuLoop(const std::function<void()>& call)
{
    if (TPMModalHandler* handler = TPMModalHandler::Current())
        handler->Guarded(call);
    else
        call();
}
