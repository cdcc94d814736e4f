#include "platform_gui/AlignChildren.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace platform {

TAlign AlignOf(const QWidget* widget)
{
    return static_cast<TAlign>(widget->property("Align").toInt());
}

void SetAlign(QWidget* widget, TAlign align)
{
    if (AlignOf(widget) == align)
        return;
    widget->setProperty("Align", static_cast<int>(align));
    if (QWidget* parent = widget->parentWidget()) {
        QEvent request(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(parent, &request);
    }
}

void AlignChildren(QWidget* parent, const QRect& area)
{
    std::vector<QWidget*> children;
    std::vector<TAlignItem> items;
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child == nullptr || child->isWindow() || AlignOf(child) == TAlign::alNone)
            continue;
        if (child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide))
            continue; // hidden on purpose, not just waiting for its parent to show
        children.push_back(child);
        items.push_back({AlignOf(child), child->geometry()});
    }
    const std::vector<QRect> placed = AlignWithin(area, items);
    for (size_t i = 0; i < children.size(); ++i)
        children[i]->setGeometry(placed[i]);
}

} // namespace platform
