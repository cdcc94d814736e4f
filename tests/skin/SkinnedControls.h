#pragma once
// A window skinned with a fixture skin, holding the controls a test adds before skinning it: discovery
// binds them as in the programs, so whatever they draw goes through the skin style to their painters.
#include "Drawing.h"
#include "SkinKit.h"

#include <QAbstractButton>
#include <QStyle>
#include <QStyleOption>
#include <QVBoxLayout>

struct SkinnedControls : PlainWindow {
    SkinnedControls() { new QVBoxLayout(this); }

    // A control of the class, laid out in the window.
    template <typename Control, typename... Arguments> Control* Add(Arguments&&... arguments)
    {
        auto* control = new Control(std::forward<Arguments>(arguments)..., this);
        layout()->addWidget(control);
        return control;
    }
    // A control of the class outside the layout, at (10, 10) with the size, never focused.
    template <typename Control, typename... Arguments> Control* Place(QSize size, Arguments&&... arguments)
    {
        auto* control = new Control(std::forward<Arguments>(arguments)..., this);
        control->setGeometry(QRect(QPoint(10, 10), size));
        control->setFocusPolicy(Qt::NoFocus);
        return control;
    }
    // Shows the window with the skin loaded; its controls are bound when this returns. Once shown, the
    // window switches to the fixture, written to the skins folder under the name.
    void Skin(const skinbuilder::SkinFixture& fixture = skinbuilder::StandardFixture(),
              const QString& name = QStringLiteral("fixture.skn"));

    // Destroyed before the window: the skin leaves it first, as in the programs.
    SkinKit kit;
};

// A skinned window in the pinned 13-pixel font holding one placed control of the class, with its text.
template <typename Control> struct SkinnedControl : SkinnedControls {
    SkinnedControl(QSize size, const QString& text)
    {
        setFont(PinnedFont(13).ToQFont());
        control = Place<Control>(size, text);
    }

    Control* control;
};

// The element drawn through the widget's style, in the widget's font, onto a canvas of the option's size
// in CanvasBackground.
QImage DrawnComplex(const QWidget& widget, QStyle::ComplexControl control, const QStyleOptionComplex& option);
QImage DrawnControl(const QWidget& widget, QStyle::ControlElement element, const QStyleOption& option);
// The button's element drawn so for the state, with the button's text.
QImage DrawnButton(const QAbstractButton& button, QStyle::ControlElement element, QStyle::State state);
