#include "controls/LXButton.h"

#include "ControlEvents.h"
#include "DialogAnswerer.h"
#include "Drawing.h"
#include "RecordingCanvas.h"
#include "controls/LXApplication.h"

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void Ticks(int count)
{
    for (int i = 0; i < count; ++i)
        LXApplication().TimerPool().Tick();
}

struct LXButtonTest : ::testing::Test {
    HostWindow host;
    QWidget* panel = new QWidget(&host.Window);
    TLXButton* button = new TLXButton(panel);
    QLineEdit* edit = new QLineEdit(&host.Window);
    QSignalSpy clicks{button, &TLXButton::OnClick};

    void SetUp() override
    {
        panel->setGeometry(0, 0, 200, 100);
        button->move(10, 10);
        edit->move(10, 120);
        panel->show();
        button->show();
        edit->show();
        host.Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host.Window));
    }
};

TEST(LXButton, ClassNamesAndStartingState)
{
    TLXButton button;
    EXPECT_STREQ(button.metaObject()->className(), "TLXButton");
    EXPECT_TRUE(button.inherits("TLXCustomButton"));
    EXPECT_NE(qobject_cast<QPushButton*>(&button), nullptr);
    TLXCustomButton custom;
    EXPECT_STREQ(custom.metaObject()->className(), "TLXCustomButton");
    EXPECT_FALSE(custom.inherits("TLXButton"));

    EXPECT_EQ(button.size(), QSize(75, 25));
    EXPECT_FALSE(button.autoDefault());
    EXPECT_FALSE(button.isDefault());
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
    button.SetTabStop(false);
    EXPECT_FALSE(button.TabStop());

    // The caption's "&" is the dispatcher's accelerator only, never Qt's own
    // shortcut.
    button.SetCaption("&Save");
    EXPECT_TRUE(button.shortcut().isEmpty());

    const std::pair<TLXUserButtonStyle, int> frames[] = {{ubsAutoDetect, 2}, {ubsWin31, 3}, {ubsWin40, 2},
                                                         {ubsIde, 2},        {ubsFlat, 1},  {ubsWinXP, 1}};
    for (const auto& [look, width] : frames)
        EXPECT_EQ(ButtonFrameWidth(look), width) << look;
}

TEST_F(LXButtonTest, RepeatedClicksComeAfterTheDelayThenEveryIntervalAndOnceMoreOnRelease)
{
    button->SetRepeatedClick(true);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_NE(button->RepeatTimer(), 0);
    Ticks(9);
    EXPECT_EQ(clicks.count(), 0);
    Ticks(1);
    EXPECT_EQ(clicks.count(), 1);
    Ticks(1);
    EXPECT_EQ(clicks.count(), 1);
    Ticks(1);
    EXPECT_EQ(clicks.count(), 2);
    Ticks(4);
    EXPECT_EQ(clicks.count(), 4);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 5);
    EXPECT_EQ(button->RepeatTimer(), 0);
    Ticks(20);
    EXPECT_EQ(clicks.count(), 5);
}

TEST_F(LXButtonTest, ARepeatStopsWhenTheButtonCanNoLongerBeReleased)
{
    struct Case {
        const char* what;
        std::function<void(LXButtonTest&)> action;
        int clicks; // the repeated one, and the release's own
    };
    const Case cases[] = {
        {"disabled", [](LXButtonTest& t) { t.button->setEnabled(false); }, 1},
        {"window disabled", [](LXButtonTest& t) { t.panel->setEnabled(false); }, 1},
        {"window hidden", [](LXButtonTest& t) { t.panel->hide(); }, 1},
        {"repeat switched off, then released",
         [](LXButtonTest& t) {
             t.button->SetRepeatedClick(false);
             QTest::mouseRelease(t.button, Qt::LeftButton, {}, QPoint(10, 10));
         },
         2},
    };
    for (const Case& c : cases) {
        button->SetRepeatedClick(true);
        const int poolItems = LXApplication().TimerPool().Count();
        ASSERT_EQ(button->RepeatTimer(), 0) << c.what;
        // The click handler does it, as a window's handler might.
        const auto connection = QObject::connect(button, &TLXButton::OnClick, [&] { c.action(*this); });
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
        Ticks(10);
        QObject::disconnect(connection);
        EXPECT_EQ(clicks.count(), c.clicks) << c.what;
        clicks.clear();
        Ticks(20);
        EXPECT_EQ(clicks.count(), 0) << c.what;
        EXPECT_EQ(button->RepeatTimer(), 0) << c.what;
        EXPECT_EQ(LXApplication().TimerPool().Count(), poolItems) << c.what;

        panel->setEnabled(true);
        panel->show();
        button->setEnabled(true);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
        clicks.clear();
    }

    // Losing the mouse to another grabber ends it as well.
    panel->setEnabled(true);
    panel->show();
    button->setEnabled(true);
    button->SetRepeatedClick(true);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QEvent ungrab(QEvent::UngrabMouse);
    QApplication::sendEvent(button, &ungrab);
    EXPECT_EQ(button->RepeatTimer(), 0);
}

TEST_F(LXButtonTest, ADelayTheTimerPoolRefusesIsShownOnceAndTheButtonStillClicks)
{
    ScriptedDialogAnswerer answerer;
    answerer.ExpectButton(QMessageBox::Ok);
    button->SetRepeatedClick(true);
    button->SetRepeatingDelay(525);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(answerer.Shown().size(), 1);
    EXPECT_EQ(answerer.Shown()[0].text, "Interval not compatible with MinInterval property!");
    EXPECT_EQ(button->RepeatTimer(), 0);
    Ticks(30);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(LXButton, DrawStateAndFaceFlags)
{
    struct Case {
        bool enabled;
        bool selected;
        bool hot;
        int state;
    };
    const Case states[] = {{false, true, true, 1}, {true, true, true, 4},   {true, true, false, 4},
                           {true, false, true, 2}, {true, false, false, 0}, {false, false, false, 1}};
    for (const Case& c : states)
        EXPECT_EQ(ButtonDrawState(c.enabled, c.selected, c.hot), c.state) << c.enabled << c.selected << c.hot;
    EXPECT_EQ(ButtonFaceFlags(false, false, false), 0x01u);
    EXPECT_EQ(ButtonFaceFlags(true, false, false), 0x03u);
    EXPECT_EQ(ButtonFaceFlags(false, true, false), 0x21u);
    EXPECT_EQ(ButtonFaceFlags(true, true, true), 0x63u);

    // A paint remembers its state; the looks that fill the client area first do
    // so in the colour.
    TLXButton button;
    button.SetColor(clAqua);
    button.setEnabled(false);
    RecordingCanvas disabled;
    button.DrawItem(disabled, true, false);
    EXPECT_EQ(button.DrawState(), 1);
    button.setEnabled(true);
    button.SetExtStyle(ubsExplorer);
    RecordingCanvas explorer;
    button.DrawItem(explorer, true, false);
    EXPECT_EQ(button.DrawState(), 4);
    ASSERT_FALSE(explorer.Calls.empty());
    EXPECT_EQ(explorer.Lines().value(0), "FillRect(0,0,75,25)");
    EXPECT_EQ(explorer.Calls[0].BrushColor, clAqua);
}

TEST_F(LXButtonTest, EnterAndLeaveTrackTheMouse)
{
    QSignalSpy enters(button, &TLXButton::OnMouseEnter);
    QSignalSpy exits(button, &TLXButton::OnMouseExit);
    MouseEnters(button);
    EXPECT_EQ(enters.count(), 1);
    EXPECT_TRUE(button->Hot());

    // After a pressed paint the enter is not reported; leaving clears hot and the
    // state.
    RecordingCanvas canvas;
    button->DrawItem(canvas, true, false);
    MouseLeaves(button);
    EXPECT_EQ(exits.count(), 1);
    EXPECT_FALSE(button->Hot());
    EXPECT_EQ(button->DrawState(), 0);
    button->DrawItem(canvas, true, false);
    MouseEnters(button);
    EXPECT_EQ(enters.count(), 1);
    MouseLeaves(button);
    MouseEnters(button);
    EXPECT_EQ(enters.count(), 2);

    // A double click is two presses, so two clicks.
    const auto send = [&](QEvent::Type type) {
        QMouseEvent event(type, QPointF(10, 10), button->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    };
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        send(type);
    EXPECT_EQ(clicks.count(), 2);

    // Leaving hides the tooltip (the tooltip takes a moment to go).
    QToolTip::showText(button->mapToGlobal(QPoint(5, 5)), "tip", button);
    ASSERT_TRUE(QToolTip::isVisible());
    MouseLeaves(button);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000));
}

TEST(LXButton, FontCheckTurnsToAScalableFontOrBackToUpright)
{
    SetScalableFontPredicate([](const QFont& font) { return font.family() != "Fixed"; });
    struct Case {
        bool fromFx;
        bool scalable;
        int angle;
        const char* family;
        int resultAngle;
    };
    const Case cases[] = {
        {true, true, 90, "DejaVu Sans", 90},   {true, false, 90, "Arial", 90},
        {true, true, 0, "DejaVu Sans", 0},     {true, false, 0, "Fixed", 0},
        {false, true, 90, "DejaVu Serif", 90}, {false, false, 90, "Fixed", 0},
        {false, true, 0, "DejaVu Serif", 0},   {false, false, 0, "Fixed", 0},
    };
    for (const Case& c : cases) {
        TLXButton button;
        if (c.fromFx) {
            button.Font().SetName(c.scalable ? "DejaVu Sans" : "Fixed");
            button.FontFX().SetAngle(c.angle);
        } else {
            button.Font().SetName("DejaVu Sans");
            button.FontFX().SetAngle(c.angle);
            button.Font().SetName(c.scalable ? "DejaVu Serif" : "Fixed");
        }
        EXPECT_EQ(button.Font().Name(), c.family) << c.fromFx << c.scalable << c.angle;
        EXPECT_EQ(button.FontFX().Angle(), c.resultAngle) << c.fromFx << c.scalable << c.angle;
        EXPECT_FALSE(button.ParentFont()) << c.fromFx << c.scalable << c.angle;
    }
    SetScalableFontPredicate({});

    // A change of the caption effects alone ends ParentFont too.
    TLXButton turned;
    ASSERT_TRUE(turned.ParentFont());
    turned.FontFX().SetAngle(90);
    EXPECT_FALSE(turned.ParentFont());

    // While ParentFont the window's font is the button's.
    QWidget window;
    TLXButton child(&window);
    QFont font("DejaVu Serif");
    font.setPixelSize(17);
    window.setFont(font);
    EXPECT_EQ(child.Font().Name(), "DejaVu Serif");
    EXPECT_EQ(child.Font().Height(), -17);
    EXPECT_TRUE(child.ParentFont());
}

TEST_F(LXButtonTest, DropDownShowsTheMenuAtTheEdgeAfterTheClickAndAppliesNoModalResult)
{
    QMenu menu;
    menu.addAction("Item");
    button->SetDropDownMenu(&menu);
    button->SetDropDownIndent(5);
    button->SetModalResult(3);
    QStringList order;
    QObject::connect(button, &TLXButton::OnClick, [&] { order << "click"; });
    QObject::connect(button, &TLXButton::OnDropDown, [&] {
        order << "drop";
        EXPECT_TRUE(button->isDown());
    });
    for (const bool right : {false, true}) {
        button->SetDropDownRight(right);
        QPoint shownAt;
        QTimer::singleShot(0, &menu, [&] {
            shownAt = menu.pos();
            menu.close();
        });
        button->Click();
        const QPoint expected = right ? button->mapToGlobal(QPoint(button->width(), 5))
                                      : button->mapToGlobal(QPoint(5, button->height()));
        EXPECT_EQ(shownAt, expected) << right;
        EXPECT_FALSE(button->isDown());
        EXPECT_FALSE(button->DroppedDown());
        EXPECT_TRUE(menu.testAttribute(Qt::WA_NoMouseReplay));
    }
    EXPECT_EQ(order, QStringList({"click", "drop", "click", "drop"}));

    QDialog dialog;
    auto* inDialog = new TLXButton(&dialog);
    inDialog->SetModalResult(3);
    inDialog->SetDropDownMenu(&menu);
    QTimer::singleShot(0, &dialog, [&] {
        QTimer::singleShot(0, &menu, [&] { menu.close(); });
        inDialog->Click();
        EXPECT_TRUE(dialog.isVisible()) << "a drop-down click applies no modal result";
        inDialog->SetDropDownMenu(nullptr);
        inDialog->Click();
    });
    EXPECT_EQ(dialog.exec(), 3);
}

TEST_F(LXButtonTest, TheClassicFaceIsLitTopLeftAndPressedContentMovesByOne)
{
    // Neither focused nor the default: no default frame, no focus rectangle.
    edit->setFocus();
    button->SetColor(clBtnFace);
    button->SetFont(PinnedFont());
    button->SetCaption("Ok");
    const QImage up = button->grab().toImage();
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(Probe(up, 5, 5), face);
    const auto brightness = [](TColor color) {
        return (color & 0xFF) + ((color >> 8) & 0xFF) + (color >> 16);
    };
    EXPECT_GT(brightness(Probe(up, 37, 0)), brightness(face));
    EXPECT_GT(brightness(Probe(up, 0, 12)), brightness(face));
    EXPECT_LT(brightness(Probe(up, 37, 24)), brightness(face));
    EXPECT_LT(brightness(Probe(up, 74, 12)), brightness(face));

    button->setDown(true);
    const QImage down = button->grab().toImage();
    const QRect inner(4, 4, 67, 17);
    const QRect upInk = InkBounds(up.copy(inner), face);
    const QRect downInk = InkBounds(down.copy(inner), face);
    ASSERT_FALSE(upInk.isNull());
    EXPECT_EQ(downInk.topLeft(), upInk.topLeft() + QPoint(1, 1));
    EXPECT_EQ(Probe(down, 0, 12), clBlack);
}

TEST_F(LXButtonTest, WindowKeysClickTheActiveDefaultTheCancelButtonAndAccelerators)
{
    auto* cancel = new TLXButton(&host.Window);
    auto* other = new TLXButton(&host.Window);
    cancel->move(100, 10);
    other->move(100, 60);
    cancel->show();
    other->show();
    QSignalSpy cancelClicks(cancel, &TLXButton::OnClick);
    QSignalSpy otherClicks(other, &TLXButton::OnClick);
    button->SetDefault(true);
    cancel->SetCancel(true);
    other->SetCaption("&Logo");

    edit->setFocus();
    EXPECT_TRUE(button->ActiveDefault());
    EXPECT_FALSE(other->ActiveDefault());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);

    // Another button with the focus takes Enter and the default frame.
    other->setFocus();
    EXPECT_FALSE(button->ActiveDefault());
    EXPECT_TRUE(other->ActiveDefault());
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(otherClicks.count(), 1);

    edit->setFocus();
    EXPECT_TRUE(button->ActiveDefault());
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks.count(), 1);

    button->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1) << "a disabled default button does not click";

    // With the focus on a control that takes no characters (a line edit types them).
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(otherClicks.count(), 2);
    QTest::keyClick(cancel, Qt::Key_L);
    EXPECT_EQ(otherClicks.count(), 3);
}

TEST(LXButton, AGlyphFromAnImageListFollowsTheListAndLetsItGo)
{
    const auto solid = [](int width, TColor color) {
        TBitmap bitmap(width, 16);
        bitmap.Canvas().Brush.SetColor(color);
        bitmap.Canvas().FillRect(Rect(0, 0, width, 16));
        return bitmap;
    };
    auto list = std::make_unique<TLXImageList>();
    auto* item = static_cast<TLXImageListItem*>(list->Add());
    TBitmap strip = solid(32, clRed);
    strip.Canvas().Brush.SetColor(clBlue);
    strip.Canvas().FillRect(Rect(16, 0, 32, 16));
    item->Add(&strip, nullptr);

    TLXButton button;
    button.SetImageIndex(1);
    EXPECT_TRUE(button.Glyph().Empty());
    button.SetImageList(list.get());
    ASSERT_EQ(button.Glyph().Width(), 16);
    EXPECT_EQ(Probe(button.Glyph().Image(), 8, 8), clBlue);
    button.SetImageIndex(-1);
    EXPECT_EQ(button.ImageIndex(), 1);

    const TBitmap lime = solid(16, clLime);
    item->Replace(1, &lime, nullptr);
    EXPECT_EQ(Probe(button.Glyph().Image(), 8, 8), clLime) << "the glyph follows the list";
    button.SetImageIndex(4);
    EXPECT_TRUE(button.Glyph().Empty());
    button.SetImageIndex(0);
    EXPECT_EQ(Probe(button.Glyph().Image(), 8, 8), clRed);

    list.reset();
    EXPECT_EQ(button.ImageList(), nullptr);
    EXPECT_TRUE(button.Glyph().Empty());

    TLXImageList other;
    static_cast<TLXImageListItem*>(other.Add())->Add(&strip, nullptr);
    button.SetImageList(&other);
    EXPECT_FALSE(button.Glyph().Empty());
    button.SetGlyph(solid(48, clLime));
    EXPECT_EQ(button.ImageList(), nullptr);
    EXPECT_EQ(button.Glyph().Width(), 48);
    EXPECT_EQ(button.NumGlyphs(), 3);
}

TEST(LXButton, ModalResultEndsAnOpenDialogWithItsValue)
{
    QDialog dialog;
    auto* button = new TLXButton(&dialog);
    button->SetModalResult(7);
    QTimer::singleShot(0, button, [button] { button->Click(); });
    EXPECT_EQ(dialog.exec(), 7);

    QWidget window;
    auto* plain = new TLXButton(&window);
    plain->SetModalResult(7);
    window.show();
    plain->Click();
    EXPECT_TRUE(window.isVisible());
}

} // namespace
