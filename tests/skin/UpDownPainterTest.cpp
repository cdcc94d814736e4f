// The up-down painter: a bound spin box's halves by state through the skin style, the edit frame kept
// clear of them, and the plain halves of a skin without UpDown.Vert.
#include "skin/UpDownPainter.h"
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"

#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <gtest/gtest.h>

namespace {

constexpr QRect SpinRect(0, 0, 70, 24);

QStyleOptionSpinBox SpinOption(QStyle::State state, QStyle::SubControls active = QStyle::SC_None)
{
    QStyleOptionSpinBox option;
    option.rect = SpinRect;
    option.state = state;
    option.activeSubControls = active;
    option.frame = true;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return option;
}

QImage PaintSpin(const FixtureSkin& kit, const QStyleOptionSpinBox& option)
{
    return Painted(QSize(SpinRect.width(), SpinRect.height()), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(
            UpDownPainter().DrawComplexControl(kit.Context(), QStyle::CC_SpinBox, option, p, nullptr));
    });
}

// Where the base style puts the half.
QRect HalfRect(QStyle::SubControl half)
{
    const QStyleOptionSpinBox option = SpinOption(QStyle::State_Enabled);
    return BaseStyle().subControlRect(QStyle::CC_SpinBox, &option, half, nullptr);
}

QPoint HalfCentre(QStyle::SubControl half)
{
    return HalfRect(half).center();
}

TEST(UpDownPainter, OnlyThePressedHalfShowsPressedAndADisabledBoxShowsBothDisabled)
{
    SkinnedControls window;
    const QSpinBox* spin = window.Add<QSpinBox>();
    window.Skin();
    using S = QStyle::StateFlag;
    struct Case {
        const char* what;
        QStyle::State state;
        QStyle::SubControls active;
        int up;
        int down;
    };
    const Case cases[] = {
        {"normal", S::State_Enabled, QStyle::SC_None, 1, 5},
        {"up pressed", S::State_Enabled | S::State_Sunken, QStyle::SC_SpinBoxUp, 2, 5},
        {"down pressed", S::State_Enabled | S::State_Sunken, QStyle::SC_SpinBoxDown, 1, 6},
        {"up under the mouse: no hot cell", S::State_Enabled | S::State_MouseOver, QStyle::SC_SpinBoxUp, 1,
         5},
        {"disabled", S::State_None, QStyle::SC_None, 3, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = DrawnComplex(*spin, QStyle::CC_SpinBox, SpinOption(c.state, c.active));
        const QPoint up = HalfCentre(QStyle::SC_SpinBoxUp);
        const QPoint down = HalfCentre(QStyle::SC_SpinBoxDown);
        EXPECT_EQ(CellAt(image, up), c.up);
        EXPECT_EQ(CellAt(image, down), c.down);
    }
}

TEST(UpDownPainter, TheHalvesKeepOutOfTheEditFrame)
{
    const FixtureSkin kit;
    const QImage image = PaintSpin(kit, SpinOption(QStyle::State_Enabled));
    const QRgb shadow = FixtureSkin::Colour(kit.skin.Colours.ButtonShadow);
    const QRgb white = qRgb(255, 255, 255);
    const int right = SpinRect.right();
    for (const int y : {3, 12, 20}) {
        EXPECT_EQ(image.pixel(right, y), shadow) << y;
        EXPECT_EQ(image.pixel(right - 1, y), white) << y;
        EXPECT_EQ(image.pixel(right - 2, y), white) << y;
    }
    const int x = HalfCentre(QStyle::SC_SpinBoxUp).x();
    EXPECT_EQ(image.pixel(x, 0), shadow);
    EXPECT_EQ(image.pixel(x, 2), white);
    EXPECT_EQ(image.pixel(x, SpinRect.bottom() - 2), white);
    EXPECT_EQ(ObjectAt(image, {x, 3}), kit.Id("updown.vert.bmp"));
}

TEST(UpDownPainter, WithoutTheObjectThePlainHalvesShowTheirArrows)
{
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("UpDown.Vert");
    const FixtureSkin kit(fixture);
    const QImage image =
        PaintSpin(kit, SpinOption(QStyle::State_Enabled | QStyle::State_Sunken, QStyle::SC_SpinBoxUp));
    QRect up = HalfRect(QStyle::SC_SpinBoxUp);
    up.setTop(std::max(up.top(), 3));
    up.setRight(std::min(up.right(), SpinRect.right() - 3));
    const QRgb dark = FixtureSkin::Colour(kit.skin.Colours.ButtonDkShadow);
    EXPECT_EQ(image.pixel(up.topLeft()), dark);
    EXPECT_EQ(image.pixel(up.left() + 1, up.top() + 1),
              FixtureSkin::Colour(kit.skin.Colours.ButtonShadow)); // pressed
    // The arrow's point, 2 pixels above the half's middle.
    EXPECT_EQ(image.pixel(up.left() + up.width() / 2, up.top() + up.height() / 2 - 2), dark);
    const QPoint down = HalfCentre(QStyle::SC_SpinBoxDown);
    EXPECT_EQ(image.pixel(down.x() - 4, down.y()), FixtureSkin::Colour(kit.skin.Colours.ButtonFace));
}

TEST(UpDownHalf, SideHalvesTakeUpDownHorzCells)
{
    const FixtureSkin kit;
    const QImage image = Painted(QSize(40, 12), CanvasBackground, [&](QPainter& p) {
        DrawUpDownHalf(p, QRect(0, 0, 20, 12), kit.skin, TUpDownArrow::Left, 2);
        DrawUpDownHalf(p, QRect(20, 0, 20, 12), kit.skin, TUpDownArrow::Right, 1);
    });
    EXPECT_EQ(ObjectAt(image, {1, 1}), kit.Id("updown.horz.bmp"));
    EXPECT_EQ(CellAt(image, {1, 1}), 2);
    EXPECT_EQ(CellAt(image, {21, 1}), 5);
}

} // namespace
