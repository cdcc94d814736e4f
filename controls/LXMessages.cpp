#include "controls/LXMessages.h"

#include <QMetaObject>
#include <QPointer>

void PostFocusNotice(QWidget* control, bool gained)
{
    QPointer<QWidget> guarded(control);
    QMetaObject::invokeMethod(
        control,
        [guarded, gained] {
            TLXControlMessages* target = guarded ? LXMessageTarget(guarded.data()) : nullptr;
            if (!target)
                return;
            if (gained)
                target->LXFocusGained();
            else
                target->LXFocusLost();
        },
        Qt::QueuedConnection);
}
