#pragma once
// The control library's own control messages, as calls on the controls that handle them. The ones
// the library sends are virtual calls made at once; the two focus notices it posts are queued calls
// that find their control gone safely.
#include <QWidget>

class TLXControlMessages {
public:
    virtual ~TLXControlMessages() = default;
    virtual void LXRefreshContent() {}          // a graphic control's transparency changed
    virtual void LXParentBackgroundChanged() {} // the parent's background moved or was resized
    virtual void LXFocusGained() {}             // posted after the focus came
    virtual void LXFocusLost() {}               // posted after the focus went
    virtual void LXScrolled() {}                // a scroll box moved its children
    virtual void LXThemeChanged() {}            // the application switched themed painting
};

// The message handler of a widget, or null when it handles none.
inline TLXControlMessages* LXMessageTarget(QObject* object)
{
    return dynamic_cast<TLXControlMessages*>(object);
}

// Queues the focus notice for the widget; nothing happens when it is gone by then.
void PostFocusNotice(QWidget* control, bool gained);
