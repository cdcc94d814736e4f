// The edit and combo-box painters drawn with real style options: the edit's rings, and the combo box's
// state cells, mirrored right to left, in both of its skinned looks.
#include "PainterKit.h"
#include "SkinKit.h"
#include "skin/ComboPainter.h"
#include "skin/EditPainter.h"

#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <gtest/gtest.h>

namespace {

constexpr QRgb Base = 0xFFFAFBFC;

QStyleOptionFrame LineEditOption(int lineWidth)
{
    QStyleOptionFrame option;
    option.rect = QRect(0, 0, 60, 22);
    option.state = QStyle::State_Enabled;
    option.lineWidth = lineWidth;
    option.palette.setColor(QPalette::Base, QColor::fromRgb(Base));
    return option;
}

TEST(EditPainter, AFramedEditGetsAShadowRingAndTwoWhiteRings)
{
    const FixtureSkin kit;
    const QStyleOptionFrame option = LineEditOption(1);
    for (const QStyle::PrimitiveElement element : {QStyle::PE_PanelLineEdit, QStyle::PE_FrameLineEdit}) {
        SCOPED_TRACE(element);
        const QImage image = Painted(QSize(60, 22), CanvasBackground, [&](QPainter& p) {
            EXPECT_TRUE(EditPainter().DrawPrimitive(kit.Context(), element, option, p, nullptr));
        });
        const QRgb shadow = FixtureSkin::Colour(kit.skin.Colours.ButtonShadow);
        for (const QPoint point : {QPoint(0, 0), QPoint(59, 21), QPoint(30, 0), QPoint(0, 11)})
            EXPECT_EQ(image.pixel(point), shadow);
        for (const QPoint point : {QPoint(1, 1), QPoint(2, 2), QPoint(57, 19), QPoint(30, 20)})
            EXPECT_EQ(image.pixel(point), qRgb(255, 255, 255));
        if (element == QStyle::PE_PanelLineEdit) {
            EXPECT_EQ(image.pixel(30, 11), Base);
        }
    }
}

TEST(EditPainter, AnEditWithoutAFrameIsLeftToTheBaseStyle)
{
    const FixtureSkin kit;
    const QImage image = Painted(QSize(60, 22), CanvasBackground, [&](QPainter& p) {
        EXPECT_FALSE(EditPainter().DrawPrimitive(kit.Context(), QStyle::PE_PanelLineEdit, LineEditOption(0),
                                                 p, nullptr));
    });
    EXPECT_EQ(image.pixel(0, 0), CanvasBackground);
}

QStyleOptionComboBox ComboOption(QStyle::State state, Qt::LayoutDirection direction = Qt::LeftToRight)
{
    QStyleOptionComboBox option;
    option.rect = QRect(0, 0, 120, 21);
    option.state = state;
    option.direction = direction;
    option.palette.setColor(QPalette::Base, QColor::fromRgb(Base));
    return option;
}

QImage PaintCombo(const FixtureSkin& kit, const QStyleOptionComboBox& option)
{
    return Painted(QSize(120, 21), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(
            ComboPainter().DrawComplexControl(kit.Context(), QStyle::CC_ComboBox, option, p, nullptr));
    });
}

TEST(ComboPainter, EachStateShowsItsCellOfTheSunkFrameAndTheButton)
{
    const FixtureSkin kit;
    using S = QStyle::StateFlag;
    struct Case {
        const char* what;
        QStyle::State state;
        int cell;
    };
    const Case cases[] = {
        {"normal", S::State_Enabled, 1},
        {"pressed", S::State_Enabled | S::State_Sunken, 2},
        {"dropped down", S::State_Enabled | S::State_On, 2},
        {"hot", S::State_Enabled | S::State_MouseOver, 4},
        {"focused", S::State_Enabled | S::State_HasFocus, 4},
        {"disabled", S::State_None, 3},
        {"disabled with focus", S::State_HasFocus, 3},
    };
    // The strip's button (19 wide, ComboButton) ends 2 pixels before the right edge; its glyph is centred.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = PaintCombo(kit, ComboOption(c.state));
        EXPECT_EQ(ObjectAt(image, {0, 10}), kit.Id("sunkedge.bmp"));
        EXPECT_EQ(CellAt(image, {0, 10}), c.cell);
        EXPECT_EQ(ObjectAt(image, {102, 2}), kit.Id("combobutton.bmp"));
        EXPECT_EQ(CellAt(image, {102, 2}), c.cell);
        EXPECT_EQ(ObjectAt(image, {110, 10}), kit.Id("extraimages.bmp"));
        EXPECT_EQ(CellAt(image, {110, 10}), c.cell);
        EXPECT_EQ(image.pixel(50, 10), Base); // the text area, under the base style's label
    }
}

TEST(ComboPainter, RightToLeftTakesTheMirroredStripWithTheButtonAtTheLeft)
{
    const FixtureSkin kit;
    const QImage image =
        PaintCombo(kit, ComboOption(QStyle::State_Enabled | QStyle::State_Sunken, Qt::RightToLeft));
    EXPECT_EQ(ObjectAt(image, {17, 2}), kit.Id("combobutton.bmp"));
    EXPECT_EQ(CellAt(image, {17, 2}), 2);
    EXPECT_EQ(ObjectAt(image, {9, 10}), kit.Id("extraimages.bmp"));
    EXPECT_EQ(ObjectAt(image, {119, 10}), kit.Id("sunkedge.bmp"));
    EXPECT_EQ(image.pixel(70, 10), Base);
}

// A ComboButton of Style 1 without SunkEdge: flat rings and the button cell at the edge.
TEST(ComboPainter, StyleOneDrawsRingsAndTheButtonCell)
{
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("SunkEdge");
    fixture.SetKey("ComboButton", "Style", "1");
    const FixtureSkin kit(fixture);
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        SCOPED_TRACE(direction);
        const QImage image =
            PaintCombo(kit, ComboOption(QStyle::State_Enabled | QStyle::State_MouseOver, direction));
        EXPECT_EQ(image.pixel(0, 0), FixtureSkin::Colour(kit.skin.Colours.ButtonShadow));
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
        const QPoint button = direction == Qt::LeftToRight ? QPoint(110, 10) : QPoint(9, 10);
        EXPECT_EQ(ObjectAt(image, button), kit.Id("combobutton.bmp"));
        EXPECT_EQ(CellAt(image, button), 4);
    }
}

TEST(ComboPainter, WithoutSunkEdgeOrButtonImageTheBaseStylePaints)
{
    skinbuilder::SkinFixture noSunkEdge = skinbuilder::StandardFixture();
    noSunkEdge.DropSection("SunkEdge");
    skinbuilder::SkinFixture noButton = skinbuilder::StandardFixture();
    noButton.DropSection("ComboButton");
    for (const skinbuilder::SkinFixture& fixture : {noSunkEdge, noButton}) {
        const FixtureSkin kit(fixture);
        const QImage image = Painted(QSize(120, 21), CanvasBackground, [&](QPainter& p) {
            EXPECT_FALSE(ComboPainter().DrawComplexControl(kit.Context(), QStyle::CC_ComboBox,
                                                           ComboOption(QStyle::State_Enabled), p, nullptr));
        });
        EXPECT_EQ(image.pixel(0, 0), CanvasBackground);
    }
}

} // namespace
