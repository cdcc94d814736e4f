#pragma once
// The one component base that needs a widget, apart from LXObjects.h so the components that need none
// (the containers and their items) build with Qt Gui alone.
#include "controls/LXObjects.h"

#include <QPointer>
#include <QWidget>

// Watches the events of its owner window through an event filter while Enabled. WndProc answers
// true to take an event, false to pass it on. The owner's destruction ends the watching.
class TLXWndProcComponent : public TLXCustomComponent {
    Q_OBJECT
public:
    explicit TLXWndProcComponent(QObject* owner = nullptr);
    ~TLXWndProcComponent() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // 0 for an ordinary owner; the program has no multiple-document windows.
    int OwnerKind() const { return 0; }
    bool Hooked() const { return hooked_ != nullptr; }

    void Loaded() override;
    virtual void Activate();
    virtual void Deactivate();

protected:
    virtual bool WndProc(QObject* watched, QEvent* event);
    virtual void EnabledChanged() {}
    // The owner window, or null without one.
    QWidget* HookedWindow() const;
    bool Hook();
    bool Unhook();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool enabled_ = true;
    bool destroying_ = false;
    QPointer<QWidget> hooked_;
    QMetaObject::Connection destroyedConnection_;
};
