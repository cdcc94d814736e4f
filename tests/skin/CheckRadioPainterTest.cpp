// Check boxes and radio buttons painted from the skin's check and radio images: the cell of each
// state in 4-cell and wider images, the glyph's side, the face and the caption's colour.
#include "skin/CheckRadioPainter.h"
#include "Drawing.h"
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

using namespace skinbuilder;

namespace {

constexpr QSize BoxSize(120, 24);
const QColor Parent(10, 90, 30);
const QColor Face(200, 200, 200); // the fixture's ButtonFace
const QColor Caption(90, 20, 160);
constexpr QPoint LeftGlyph(6, 11); // the middle of a 13-pixel glyph centred in 24 rows

QStyleOptionButton BoxOption(QStyle::State state, Qt::LayoutDirection direction = Qt::LeftToRight)
{
    QStyleOptionButton option = PinnedButtonOption<QCheckBox>(BoxSize, state, QStringLiteral("Mute"));
    option.direction = direction;
    option.palette.setColor(QPalette::WindowText, Caption);
    return option;
}

QImage PaintedBox(const TSkinPainter& painter, const TSkinPaintContext& context,
                  const QStyleOptionButton& option, QStyle::ControlElement element)
{
    return PaintedControl(painter, context, element, option, Parent);
}

// The fixture with the check or radio image holding the cells, and its frame key saying so.
SkinFixture WithCells(const QString& file, const QString& frameKey, int cells)
{
    SkinFixture fixture = StandardFixture();
    fixture.Image(file)->cells = cells;
    fixture.SetKey("Buttons", frameKey, QString::number(cells));
    return fixture;
}

using S = QStyle::StateFlag;

// A skinned window holding one control of the class, its main state table drawn through the style:
// the cell shown for each state, with the skin of each fixture in turn.
template <typename Control> struct SkinnedBox : SkinnedControl<Control> {
    SkinnedBox() : SkinnedControl<Control>(BoxSize, QStringLiteral("Mute")) {}

    int CellShown(QStyle::ControlElement element, QStyle::State state) const
    {
        return CellAt(DrawnButton(*this->control, element, state), LeftGlyph);
    }
};

} // namespace

TEST(CheckBoxPainter, StateAndCellCountGiveTheCell)
{
    struct Case {
        const char* what;
        QStyle::State state;
        int fourCell;
        int twelveCell;
    };
    const Case cases[] = {
        {"unchecked", S::State_Enabled | S::State_Off, 1, 1},
        {"checked", S::State_Enabled | S::State_On, 2, 5},
        {"partial", S::State_Enabled | S::State_NoChange, 4, 9},
        {"unchecked disabled", S::State_Off, 3, 4},
        {"checked disabled", S::State_On, 4, 8},
        {"partial disabled", S::State_NoChange, 4, 12},
    };
    SkinnedBox<QCheckBox> box;
    box.Skin(WithCells("check.bmp", "CheckButtonFrame", 4), "four.skn");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(box.CellShown(QStyle::CE_CheckBox, c.state), c.fourCell);
    }
    box.control->setChecked(true);
    EXPECT_EQ(CellAt(box.control->grab().toImage(), LeftGlyph), 2); // as the box paints itself

    box.Skin(WithCells("check.bmp", "CheckButtonFrame", 12), "twelve.skn");
    const TSkinDescription twelve = FixtureDescription(WithCells("check.bmp", "CheckButtonFrame", 12));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(box.CellShown(QStyle::CE_CheckBox, c.state), c.twelveCell);
        // The indicator alone, as item views and the base style's layout ask for it.
        const QImage indicator = Painted({13, 13}, Parent, [&](QPainter& p) {
            QStyleOptionButton option = BoxOption(c.state);
            option.rect = QRect(0, 0, 13, 13);
            EXPECT_TRUE(CheckBoxPainter().DrawPrimitive(PaintContext(twelve), QStyle::PE_IndicatorCheckBox,
                                                        option, p, nullptr));
        });
        EXPECT_EQ(CellAt(indicator, {6, 6}), c.twelveCell);
    }
}

TEST(RadioButtonPainter, EightCellImagesAreRemapped)
{
    struct Case {
        const char* what;
        QStyle::State state;
        int fourCell;
        int eightCell;
    };
    const Case cases[] = {
        {"off", S::State_Enabled | S::State_Off, 1, 1},
        {"on", S::State_Enabled | S::State_On, 2, 5},
        {"off disabled", S::State_Off, 3, 4},
        {"on disabled", S::State_On, 4, 8},
    };
    SkinnedBox<QRadioButton> radio;
    radio.Skin(WithCells("radio.bmp", "RadioButtonFrame", 4), "four.skn");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(radio.CellShown(QStyle::CE_RadioButton, c.state), c.fourCell);
    }
    radio.Skin(WithCells("radio.bmp", "RadioButtonFrame", 8), "eight.skn");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(radio.CellShown(QStyle::CE_RadioButton, c.state), c.eightCell);
    }
    const QImage shown = radio.control->grab().toImage();
    EXPECT_EQ(ObjectAt(shown, LeftGlyph), ObjectIdOf(StandardFixture(), "radio.bmp"));
}

TEST(CheckRadioPainter, LeftTextPutsTheGlyphOnTheRight)
{
    const TSkinDescription skin = FixtureDescription();
    struct Case {
        const char* what;
        const TSkinPainter& painter;
        QStyle::ControlElement element;
        int glyphRight; // the glyph's last column
    };
    const int last = BoxSize.width() - 1;
    for (const Case& c :
         {Case{"check box", CheckBoxPainter(), QStyle::CE_CheckBox, last},
          Case{"radio button, one pixel in", RadioButtonPainter(), QStyle::CE_RadioButton, last - 1}}) {
        SCOPED_TRACE(c.what);
        const QImage rtl = PaintedBox(c.painter, PaintContext(skin),
                                      BoxOption(S::State_Enabled, Qt::RightToLeft), c.element);
        EXPECT_EQ(CellAt(rtl, {c.glyphRight, 11}), 1);
        EXPECT_EQ(CellAt(rtl, {c.glyphRight - 12, 11}), 1);
        EXPECT_EQ(rtl.pixelColor(c.glyphRight - 13, 11), Face);
        EXPECT_EQ(rtl.pixelColor(LeftGlyph), Face);
        const QRect caption =
            InkBounds(rtl.copy(0, 0, c.glyphRight - 12, BoxSize.height()), platform::FromQColor(Face));
        const int glyphLeft = c.glyphRight - 12;
        EXPECT_GE(caption.right(), glyphLeft - 6); // right-aligned, 2 pixels clear of the glyph
        EXPECT_LE(caption.right(), glyphLeft - 3);
        EXPECT_GT(CountPixels(rtl, Caption), 10);

        const QImage ltr = PaintedBox(c.painter, PaintContext(skin), BoxOption(S::State_Enabled), c.element);
        EXPECT_EQ(CellAt(ltr, LeftGlyph), 1);
        EXPECT_EQ(ltr.pixelColor(c.glyphRight, 11), Face);
        EXPECT_GE(InkBounds(ltr.copy(13, 0, 40, BoxSize.height()), platform::FromQColor(Face)).left(), 2);
    }
}

TEST(CheckRadioPainter, FaceUnlessTransparentAndCaptionColour)
{
    const TSkinDescription skin = FixtureDescription();
    const QColor shadow = platform::ToQColor(platform::clBtnShadow);
    struct Case {
        const char* what;
        bool transparent;
        TSkinOptions options;
        QStyle::State state;
        QColor background;
        QColor text;
    };
    for (const Case& c : {Case{"enabled", false, {}, S::State_Enabled, Face, Caption},
                          Case{"disabled", false, {}, S::State_None, Face, shadow},
                          Case{"tag 5555", true, {}, S::State_Enabled, Parent, Caption},
                          Case{"xoTransparent", false, xoTransparent, S::State_Enabled, Parent, Caption}}) {
        SCOPED_TRACE(c.what);
        const QImage image = PaintedBox(CheckBoxPainter(), PaintContext(skin, c.transparent, c.options),
                                        BoxOption(c.state), QStyle::CE_CheckBox);
        EXPECT_EQ(image.pixelColor(BoxSize.width() - 1, 0), c.background);
        EXPECT_GT(CountPixels(image, c.text), 10);
    }
}

TEST(CheckRadioPainter, WithoutTheirImageTheBaseStylePaints)
{
    SkinFixture fixture = StandardFixture();
    fixture.RemoveKey("Buttons", "CheckButton");
    fixture.RemoveKey("Buttons", "RadioButton");
    const TSkinDescription skin = FixtureDescription(fixture);
    QImage image(BoxSize, QImage::Format_RGB32);
    QPainter painter(&image);
    const QStyleOptionButton option = BoxOption(S::State_Enabled);
    EXPECT_FALSE(
        CheckBoxPainter().DrawControl(PaintContext(skin), QStyle::CE_CheckBox, option, painter, nullptr));
    EXPECT_FALSE(CheckBoxPainter().DrawPrimitive(PaintContext(skin), QStyle::PE_IndicatorCheckBox, option,
                                                 painter, nullptr));
    EXPECT_FALSE(RadioButtonPainter().DrawControl(PaintContext(skin), QStyle::CE_RadioButton, option, painter,
                                                  nullptr));
}
