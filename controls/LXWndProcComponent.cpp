#include "controls/LXWndProcComponent.h"

#include <QEvent>

TLXWndProcComponent::TLXWndProcComponent(QObject* owner) : TLXCustomComponent(owner) {}

TLXWndProcComponent::~TLXWndProcComponent()
{
    Unhook();
}

void TLXWndProcComponent::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        Activate();
    else
        Deactivate();
    EnabledChanged();
}

void TLXWndProcComponent::Loaded()
{
    TLXCustomComponent::Loaded();
    Activate();
}

void TLXWndProcComponent::Activate()
{
    if (enabled_ && !Hooked())
        Hook();
}

void TLXWndProcComponent::Deactivate()
{
    Unhook();
}

QWidget* TLXWndProcComponent::HookedWindow() const
{
    return qobject_cast<QWidget*>(parent());
}

bool TLXWndProcComponent::Hook()
{
    QWidget* window = HookedWindow();
    if (!window || Hooked())
        return false;
    destroying_ = false;
    hooked_ = window;
    window->installEventFilter(this);
    // The owner going away is the window's destruction: nothing is passed on after it.
    destroyedConnection_ = connect(window, &QObject::destroyed, this, [this] { destroying_ = true; });
    return true;
}

bool TLXWndProcComponent::Unhook()
{
    if (hooked_)
        hooked_->removeEventFilter(this);
    disconnect(destroyedConnection_);
    hooked_ = nullptr;
    destroying_ = false;
    return true;
}

bool TLXWndProcComponent::eventFilter(QObject* watched, QEvent* event)
{
    if (destroying_ || watched != hooked_)
        return false;
    return WndProc(watched, event);
}

bool TLXWndProcComponent::WndProc(QObject*, QEvent*)
{
    return false;
}
