#pragma once
// A window skinned with a fixture skin, holding the controls a test adds before skinning it: discovery
// binds them as in the programs, so whatever they draw goes through the skin style to their painters.
#include "SkinKit.h"

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
    // Shows the window with the skin loaded; its controls are bound when this returns.
    void Skin(const skinbuilder::SkinFixture& fixture = skinbuilder::StandardFixture());

    // Destroyed before the window: the skin leaves it first, as in the programs.
    SkinKit kit;
};

// The element drawn through the widget's style, in the widget's font, onto a canvas of the option's size
// in CanvasBackground.
QImage DrawnComplex(const QWidget& widget, QStyle::ComplexControl control, const QStyleOptionComplex& option);
QImage DrawnControl(const QWidget& widget, QStyle::ControlElement element, const QStyleOption& option);
