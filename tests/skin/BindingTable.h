#pragma once
// The bindings of a skinned window as lines a test can compare with its table: "where: kind", where is
// the control's name (or its class, under its nearest named ancestor) and the kind carries
// " intercept", " colour" and " glyph" when the binding has them.
#include "skin/SkinBinding.h"
#include "skin/WindowSkinner.h"

#include <QScrollBar>
#include <QStringList>
#include <QWidget>

#include <algorithm>

inline QString SkinnerKindName(TSkinnerKind kind)
{
    switch (kind) {
    case TSkinnerKind::Button:
        return "Button";
    case TSkinnerKind::CheckBox:
        return "CheckBox";
    case TSkinnerKind::RadioButton:
        return "RadioButton";
    case TSkinnerKind::GroupBox:
        return "GroupBox";
    case TSkinnerKind::Box:
        return "Box";
    case TSkinnerKind::StatusBar:
        return "StatusBar";
    case TSkinnerKind::Tab:
        return "Tab";
    case TSkinnerKind::TabSheet:
        return "TabSheet";
    case TSkinnerKind::Edit:
        return "Edit";
    case TSkinnerKind::ComboBox:
        return "ComboBox";
    case TSkinnerKind::UpDown:
        return "UpDown";
    case TSkinnerKind::Progress:
        return "Progress";
    case TSkinnerKind::TrackBar:
        return "TrackBar";
    case TSkinnerKind::ScrollBar:
        return "ScrollBar";
    case TSkinnerKind::Header:
        return "Header";
    case TSkinnerKind::Sizer:
        return "Sizer";
    }
    return "?";
}

inline QString ControlPlace(const QWidget& control)
{
    if (!control.objectName().isEmpty() && !control.objectName().startsWith("qt_"))
        return control.objectName();
    QString place = QString::fromLatin1(control.metaObject()->className());
    if (const auto* bar = qobject_cast<const QScrollBar*>(&control))
        place += bar->orientation() == Qt::Horizontal ? "(h)" : "(v)";
    for (const QWidget* up = control.parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        if (!up->objectName().isEmpty() && !up->objectName().startsWith("qt_"))
            return up->objectName() + u'/' + place;
    return place;
}

inline QStringList BindingTable(const TWndSkinForm& skinner)
{
    QStringList lines;
    for (const TSkinBinding* binding : SkinBindings().BindingsOf(&skinner)) {
        QString line = ControlPlace(*binding->Widget) + ": " + SkinnerKindName(binding->Kind);
        if (binding->Mode == TBindingMode::Intercept)
            line += " intercept";
        if (binding->Colour)
            line += " colour";
        if (binding->Glyph)
            line += " glyph";
        lines.append(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}
