#include "menus/PMReleaseWatch.h"

#include "platform_gui/PointerButtons.h"

#include <QCoreApplication>

namespace {

TPMReleaseWatch* active = nullptr;

bool IsButtonEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::MouseButtonRelease;
}

} // namespace

QMouseEvent* NewMouseEventFor(QWindow* window, QEvent::Type type, QPointF global, Qt::MouseButton button,
                              Qt::MouseButtons buttons, const QInputEvent& like)
{
    const QPointF local = window->mapFromGlobal(global);
    auto* event = new QMouseEvent(type, local, local, global, button, buttons, like.modifiers());
    event->setTimestamp(like.timestamp());
    return event;
}

void TPMReleaseWatch::Start(QWindow* target, const QMouseEvent& press, const QEvent* posted)
{
    delete active;
    active = new TPMReleaseWatch(target, press, posted);
    // Asked after the grab was released: a button already up had its release sent to the freed popup.
    const std::optional<Qt::MouseButtons> down = platform::PointerButtonsDown();
    if (down.has_value() && !(*down & press.button()))
        active->PostRelease(press.globalPosition());
}

TPMReleaseWatch::TPMReleaseWatch(QWindow* target, const QMouseEvent& press, const QEvent* posted)
    : QObject(QCoreApplication::instance()), target_(target), press_(press.clone()), posted_(posted)
{
    qApp->installEventFilter(this);
}

TPMReleaseWatch::~TPMReleaseWatch()
{
    qApp->removeEventFilter(this);
    if (active == this)
        active = nullptr;
}

void TPMReleaseWatch::Finish()
{
    qApp->removeEventFilter(this);
    if (active == this)
        active = nullptr;
    deleteLater();
}

QMouseEvent* TPMReleaseWatch::NewRelease(QPointF global) const
{
    const Qt::MouseButton button = press_->button();
    return NewMouseEventFor(target_, QEvent::MouseButtonRelease, global, button, press_->buttons() & ~button,
                            *press_);
}

void TPMReleaseWatch::PostRelease(QPointF global)
{
    QMouseEvent* release = NewRelease(global);
    ownRelease_ = release;
    QCoreApplication::postEvent(target_, release);
}

bool TPMReleaseWatch::eventFilter(QObject* receiver, QEvent* event)
{
    if (target_ == nullptr) {
        Finish();
        return false;
    }
    if (event == ownRelease_)
        return false;
    if (event == posted_) {
        pressDelivered_ = true;
        if (early_ != nullptr) {
            QCoreApplication::postEvent(target_, early_.release());
            Finish();
        }
        return false;
    }
    // Qt shows input to the filter at the window first and again at the widget: the first sight counts.
    if (!receiver->isWindowType() || !IsButtonEvent(event->type()))
        return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (mouse->button() != press_->button() || early_ != nullptr)
        return false;
    if (event->type() != QEvent::MouseButtonRelease) { // a new click: its release is its own
        Finish();
        return false;
    }
    // The real release after the one posted: the target has had one. Dropped wherever it arrives, as a
    // release reaching another window first would make Qt forget which widget the press went to.
    if (ownRelease_ != nullptr) {
        Finish();
        return true;
    }
    if (receiver != target_) { // the press's own release, sent to another window: taken to the target
        Finish();
        if (pressDelivered_) {
            std::unique_ptr<QMouseEvent> release(NewRelease(mouse->globalPosition()));
            QCoreApplication::sendEvent(target_, release.get());
        } else {
            PostRelease(mouse->globalPosition());
        }
        return true;
    }
    if (!pressDelivered_) {
        early_.reset(mouse->clone());
        return true;
    }
    Finish();
    return false;
}
