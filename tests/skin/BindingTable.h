#pragma once
// The bindings of a skinned window as lines a test can compare with its table: "where: kind", where is
// the control's name (or its class, under its nearest named ancestor) and the kind carries
// " intercept", " colour" and " glyph" when the binding has them; and the tables of a program's
// windows compared with the expected ones.
#include "ControlsFound.h"
#include "skin/SkinBinding.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"

#include <QScrollBar>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

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

// The table of a window of the running skin, once its controls were found; a hidden window is shown for
// that and hidden again. "not skinned" when the controls are never found.
inline QStringList BindingsOfWindow(QWidget* window)
{
    const bool shown = window->isVisible();
    if (!shown)
        window->show();
    const bool found = WaitForControlsFound(window);
    QStringList table = found ? BindingTable(*SkinManager->FindSkinner(window)) : QStringList{"not skinned"};
    if (!shown)
        window->hide();
    return table;
}

// The windows' tables, by window name, are the expected ones, for the same windows.
inline void ExpectBindingTables(const std::map<QString, QStringList>& actual,
                                const std::map<QString, QStringList>& expected)
{
    EXPECT_EQ(actual.size(), expected.size());
    for (const auto& [window, table] : actual) {
        const auto found = expected.find(window);
        EXPECT_EQ(table.join('\n').toStdString(),
                  found == expected.end() ? std::string() : found->second.join('\n').toStdString())
            << qPrintable(window);
    }
}
