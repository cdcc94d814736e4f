#include "platform_gui/KeyboardHook.h"

#include "platform/HookServices.h"
#include "platform_gui/XKeyGrab.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>

#include <atomic>

namespace {

thread_local bool controlDownNow = false;
std::atomic<int> nextHookCalls{0};

// The virtual-key code of a key the station's windows saw; keys the hook never looks at get 0xFF.
uintptr_t VirtualKey(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return uintptr_t(0x70 + (key - Qt::Key_F1));
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return uintptr_t(key);
    if (key == Qt::Key_Control)
        return VK_CONTROL;
    return 0xFF;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) intptr_t CallNextHookEx(void*, int, uintptr_t, intptr_t)
{
    ++nextHookCalls;
    return 0;
}

__attribute__((visibility("default"))) short GetKeyState(int virtualKey)
{
    return virtualKey == VK_CONTROL && controlDownNow ? short(-32768) : short(0);
}

__attribute__((visibility("default"))) void* FindWindow(const char* className, const char*)
{
    return platform::FindWindow(QString::fromLatin1(className));
}

__attribute__((visibility("default"))) int PostMessage(void* window, unsigned msg, uintptr_t wParam,
                                                       intptr_t lParam)
{
    return platform::PostMessage(static_cast<QObject*>(window), msg, wParam, lParam) ? 1 : 0;
}

} // extern "C"

namespace platform {

intptr_t DeliverKey(KeyboardHookProc proc, int code, uintptr_t virtualKey, intptr_t flags, bool controlDown)
{
    controlDownNow = controlDown;
    const intptr_t result = proc(code, virtualKey, flags);
    controlDownNow = false;
    return result;
}

int NextHookCalls()
{
    return nextHookCalls;
}

KeyboardHook::KeyboardHook(KeyboardHookProc proc, const QString& displayName) : proc_(proc)
{
    if (displayName.isEmpty()) {
        FallBack(QStringLiteral("there is no X display"));
        return;
    }
    // The grab's thread may outlive no one: the hook joins it before it goes.
    QPointer<KeyboardHook> self(this);
    grab_ = std::make_unique<XKeyGrab>(proc, displayName, [self](const QString& reason) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, reason] {
                if (self)
                    self->FallBack(reason);
            },
            Qt::QueuedConnection);
    });
    if (!grab_->Error().isEmpty())
        FallBack(grab_->Error());
}

KeyboardHook::~KeyboardHook() = default;

void KeyboardHook::FallBack(const QString& reason)
{
    const bool lost = grab_ != nullptr && grab_->Error().isEmpty();
    grab_.reset();
    limitation_ = reason;
    qApp->installEventFilter(this);
    if (lost && OnFallBack)
        OnFallBack(reason);
}

// Each key event reaches the window first and its controls after: taken at the window, it counts once.
bool KeyboardHook::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool release = type == QEvent::KeyRelease;
        if (!(release && key->isAutoRepeat())) {
            const intptr_t flags = release ? KeyReleased | KeyWasDown : key->isAutoRepeat() ? KeyWasDown : 0;
            DeliverKey(proc_, HC_ACTION, VirtualKey(key->key()), flags,
                       key->modifiers().testFlag(Qt::ControlModifier));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
