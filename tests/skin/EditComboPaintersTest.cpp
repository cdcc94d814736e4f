// The edit and combo-box painters: the rings of a bound edit, and a bound combo box's state cells
// through the skin style, mirrored right to left; the painters' other looks and fallbacks on their own.
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"
#include "skin/ComboPainter.h"
#include "skin/EditPainter.h"

#include <QComboBox>
#include <QLineEdit>
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

TEST(EditPainter, AFramedEditGetsAShadowRingAndTwoWhiteRingsAndAFramelessOneNone)
{
    SkinnedControls window;
    auto* framed = window.Add<QLineEdit>();
    auto* frameless = window.Add<QLineEdit>();
    frameless->setFrame(false);
    window.Skin();
    const QRgb shadow = FixtureSkin::Colour(window.kit.data->Description().Colours.ButtonShadow);
    const QImage image = framed->grab().toImage();
    const QPoint last(image.width() - 1, image.height() - 1);
    for (const QPoint point : {QPoint(0, 0), last, QPoint(last.x() / 2, 0), QPoint(0, last.y() / 2)})
        EXPECT_EQ(image.pixel(point), shadow);
    for (const QPoint point :
         {QPoint(1, 1), QPoint(2, 2), last - QPoint(2, 2), QPoint(last.x() / 2, last.y() - 1)})
        EXPECT_EQ(image.pixel(point), qRgb(255, 255, 255));
    const QImage bare = frameless->grab().toImage();
    for (const QPoint point : {QPoint(0, 0), QPoint(0, bare.height() / 2)})
        EXPECT_NE(bare.pixel(point), shadow);
}

// PE_FrameLineEdit alone, as other controls ask for it.
TEST(EditPainter, TheFramePrimitiveIsTheRingsAlone)
{
    const FixtureSkin kit;
    const QImage image = Painted(QSize(60, 22), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(EditPainter().DrawPrimitive(kit.Context(), QStyle::PE_FrameLineEdit, LineEditOption(1), p,
                                                nullptr));
    });
    EXPECT_EQ(image.pixel(0, 0), FixtureSkin::Colour(kit.skin.Colours.ButtonShadow));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(30, 11), CanvasBackground);
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
    SkinnedControls window;
    const QComboBox* combo = window.Add<QComboBox>();
    window.Skin();
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
        const QImage image = DrawnComplex(*combo, QStyle::CC_ComboBox, ComboOption(c.state));
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
    SkinnedControls window;
    const QComboBox* combo = window.Add<QComboBox>();
    window.Skin();
    const FixtureSkin kit;
    const QImage image =
        DrawnComplex(*combo, QStyle::CC_ComboBox,
                     ComboOption(QStyle::State_Enabled | QStyle::State_Sunken, Qt::RightToLeft));
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
