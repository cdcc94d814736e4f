#include "SkinnedControls.h"

#include "PainterKit.h"
#include "skin/WindowSkinner.h"

#include <QPainter>
#include <QStyleOption>
#include <QTest>
#include <gtest/gtest.h>

void SkinnedControls::Skin(const skinbuilder::SkinFixture& fixture, const QString& name)
{
    if (isVisible())
        kit.Load(kit.Write(fixture, name));
    else
        kit.ShowSkinned(*this, fixture);
}

namespace {

QImage Canvas(const QStyleOption& option)
{
    QImage image(option.rect.right() + 1, option.rect.bottom() + 1, QImage::Format_RGB32);
    image.fill(CanvasBackground);
    return image;
}

} // namespace

QImage DrawnComplex(const QWidget& widget, QStyle::ComplexControl control, const QStyleOptionComplex& option)
{
    QImage image = Canvas(option);
    QPainter painter(&image);
    painter.setFont(widget.font());
    widget.style()->drawComplexControl(control, &option, &painter, &widget);
    return image;
}

QImage DrawnControl(const QWidget& widget, QStyle::ControlElement element, const QStyleOption& option)
{
    QImage image = Canvas(option);
    QPainter painter(&image);
    painter.setFont(widget.font());
    widget.style()->drawControl(element, &option, &painter, &widget);
    return image;
}

QImage DrawnButton(const QAbstractButton& button, QStyle::ControlElement element, QStyle::State state)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.state = state;
    option.text = button.text();
    return DrawnControl(button, element, option);
}
