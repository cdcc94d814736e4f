// Push buttons painted from the skin's Buttons object: the state cell, the text colour of each state,
// the "||" line break and the transparent corners, for dialog buttons and the library's own button.
#include "skin/ButtonPainter.h"
#include "Drawing.h"
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"
#include "controls/LXButton.h"
#include "skin/SkinBinding.h"

#include <QPushButton>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

using namespace skinbuilder;

namespace {

constexpr QSize ButtonSize(80, 40);
const QColor Parent(10, 90, 30);
const QColor NormalText(0, 0, 128); // the fixture's [Buttons] text colours
const QColor HotText(0, 0, 255);
const QColor PressedText(255, 255, 255);
const QColor ShadowText = platform::ToQColor(platform::clBtnShadow);

QStyleOptionButton ButtonOption(QStyle::State state, const QString& text)
{
    return PinnedButtonOption<QPushButton>(ButtonSize, state, text);
}

QImage PaintedButton(const TSkinPaintContext& context, const QStyleOptionButton& option,
                     QStyle::ControlElement element = QStyle::CE_PushButton)
{
    return PaintedControl(ButtonPainter(), context, element, option, Parent);
}

} // namespace

TEST(ButtonPainter, StateGivesTheCellAndTheTextColourThroughTheStyle)
{
    SkinnedControl<QPushButton> window(ButtonSize, QStringLiteral("WWW"));
    window.Skin();
    QPushButton* button = window.control;
    using S = QStyle::StateFlag;
    struct Case {
        const char* what;
        QStyle::State state;
        int cell;
        QColor text;
    };
    const Case cases[] = {
        {"normal", S::State_Enabled, 1, NormalText},
        {"hot", S::State_Enabled | S::State_MouseOver, 4, HotText},
        {"focused alone", S::State_Enabled | S::State_HasFocus, 4, HotText},
        {"pressed", S::State_Enabled | S::State_Sunken, 2, PressedText},
        {"pressed while hot and focused",
         S::State_Enabled | S::State_Sunken | S::State_MouseOver | S::State_HasFocus, 2, PressedText},
        {"a toggle held down", S::State_Enabled | S::State_On, 2, PressedText},
        {"disabled while hot", S::State_MouseOver, 3, ShadowText},
        {"disabled while pressed", S::State_Sunken, 3, ShadowText},
    };
    const int buttonId = ObjectIdOf(StandardFixture(), "button.bmp");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = DrawnButton(*button, QStyle::CE_PushButton, c.state);
        EXPECT_EQ(CellAt(image, {6, 6}), c.cell);
        EXPECT_EQ(ObjectAt(image, {6, 6}), buttonId);
        EXPECT_GT(CountPixels(image, c.text), 10);
    }
    // As the button paints itself, and as it paints once the skin is switched off for it.
    QImage shown = button->grab().toImage();
    EXPECT_EQ(CellAt(shown, {6, 6}), 1);
    EXPECT_EQ(ObjectAt(shown, {6, 6}), buttonId);
    button->setDown(true);
    EXPECT_EQ(CellAt(button->grab().toImage(), {6, 6}), 2);
    SkinBindings().SetEnabled(button, false);
    EXPECT_NE(ObjectAt(button->grab().toImage(), {6, 6}), buttonId);
}

TEST(ButtonPainter, TextColoursApplyOnlyWhereTheSkinGivesThem)
{
    SkinFixture fixture = StandardFixture();
    fixture.RemoveKey("Buttons", "MouseOverColour2");
    const TSkinDescription skin = FixtureDescription(fixture);
    QStyleOptionButton option = ButtonOption(QStyle::State_Enabled | QStyle::State_MouseOver, "WWW");
    option.palette.setColor(QPalette::ButtonText, QColor(90, 20, 160));
    const QImage image = PaintedButton(PaintContext(skin), option);
    EXPECT_EQ(CountPixels(image, HotText), 0);
    EXPECT_GT(CountPixels(image, QColor(90, 20, 160)), 10);
}

TEST(ButtonPainter, TheFirstDoubleBarBreaksTheLine)
{
    const TSkinDescription skin = FixtureDescription();
    struct Case {
        const char* caption;
        int lines;
    };
    for (const Case& c : {Case{"A||B", 2}, Case{"AB", 1}, Case{"A|B", 1}, Case{"A||B||C", 2}}) {
        SCOPED_TRACE(c.caption);
        const QImage image =
            PaintedButton(PaintContext(skin), ButtonOption(QStyle::State_Enabled, c.caption));
        EXPECT_EQ(RowRuns(image, NormalText), c.lines);
    }
}

TEST(ButtonPainter, TransparentCornersShowTheParent)
{
    const TSkinDescription skin = FixtureDescription();
    const QColor face(200, 200, 200); // the fixture's ButtonFace
    struct Case {
        const char* what;
        bool transparent;
        TSkinOptions options;
        QColor corner;
    };
    for (const Case& c : {Case{"opaque", false, {}, face}, Case{"tag 5555", true, {}, Parent},
                          Case{"xoTransparent", false, xoTransparent, Parent}}) {
        SCOPED_TRACE(c.what);
        const QImage image = PaintedButton(PaintContext(skin, c.transparent, c.options),
                                           ButtonOption(QStyle::State_Enabled, "OK"));
        EXPECT_EQ(image.pixelColor(0, 0), c.corner);
        EXPECT_EQ(image.pixelColor(ButtonSize.width() - 1, ButtonSize.height() - 1), c.corner);
        EXPECT_EQ(CellAt(image, {2, 2}), 1); // just inside the magenta corner
    }
}

TEST(ButtonPainter, FocusRectangleUnlessTheSkinOptionsForbidIt)
{
    const TSkinDescription skin = FixtureDescription();
    const QStyleOptionButton option = ButtonOption(QStyle::State_Enabled | QStyle::State_HasFocus, "WWW");
    const QImage withRect = PaintedButton(PaintContext(skin), option);
    const QImage without = PaintedButton(PaintContext(skin, false, xoNoFocusRect), option);
    EXPECT_GT(CountPixels(withRect, HotText), CountPixels(without, HotText));
}

TEST(ButtonPainter, WithoutAButtonImageTheBaseStylePaints)
{
    SkinFixture fixture = StandardFixture();
    fixture.RemoveKey("Buttons", "Bitmap");
    const TSkinDescription skin = FixtureDescription(fixture);
    QImage image(ButtonSize, QImage::Format_RGB32);
    QPainter painter(&image);
    for (const QStyle::ControlElement element :
         {QStyle::CE_PushButton, QStyle::CE_PushButtonBevel, QStyle::CE_PushButtonLabel})
        EXPECT_FALSE(ButtonPainter().DrawControl(
            PaintContext(skin), element, ButtonOption(QStyle::State_Enabled, "OK"), painter, nullptr));
}

TEST(ButtonPainter, BevelAndLabelApart)
{
    const TSkinDescription skin = FixtureDescription();
    const QStyleOptionButton option = ButtonOption(QStyle::State_Enabled, "WWW");
    const QImage bevel = PaintedButton(PaintContext(skin), option, QStyle::CE_PushButtonBevel);
    EXPECT_EQ(CellAt(bevel, {6, 6}), 1);
    EXPECT_EQ(CountPixels(bevel, NormalText), 0);
    const QImage label = PaintedButton(PaintContext(skin), option, QStyle::CE_PushButtonLabel);
    EXPECT_EQ(label.pixelColor(6, 6), Parent);
    EXPECT_GT(CountPixels(label, NormalText), 10);
}

TEST(ButtonPainter, TheLibraryButtonPaintsThroughTheIntercept)
{
    SkinnedControls window;
    auto* button = window.Place<TLXButton>(ButtonSize);
    button->SetParentFont(false);
    button->SetFont(PinnedFont(13));
    button->SetCaption(QStringLiteral("Windows||Mixer"));
    window.Skin();
    struct Case {
        const char* what;
        bool enabled;
        bool down;
        int cell;
        QColor text;
    };
    for (const Case& c :
         {Case{"normal", true, false, 1, NormalText}, Case{"down", true, true, 2, PressedText},
          Case{"disabled", false, false, 3, ShadowText}}) {
        SCOPED_TRACE(c.what);
        button->setEnabled(c.enabled);
        button->setDown(c.down);
        const QImage image = button->grab().toImage();
        EXPECT_EQ(CellAt(image, {6, 6}), c.cell);
        EXPECT_EQ(RowRuns(image, c.text), 2);
    }
}
