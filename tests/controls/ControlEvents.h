#pragma once
// The mouse entering and leaving a control, as the platform reports it.
#include <QApplication>
#include <QEnterEvent>
#include <QWidget>

inline void MouseEnters(QWidget* widget, QPoint at = QPoint(1, 1))
{
    QEnterEvent enter(at, at, widget->mapToGlobal(QPointF(at)));
    QApplication::sendEvent(widget, &enter);
}

inline void MouseLeaves(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}
