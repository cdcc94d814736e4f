#include "controls/LXSpeedButton.h"

#include "ControlEvents.h"
#include "DialogAnswerer.h"
#include "Drawing.h"
#include "controls/LXApplication.h"

#include <QCursor>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Ticks(int count)
{
    for (int i = 0; i < count; ++i)
        LXApplication().TimerPool().Tick();
}

struct LXSpeedButtonTest : ::testing::Test {
    HostWindow host;
    QWidget* panel = new QWidget(&host.Window);
    TLXSpeedButton* first = new TLXSpeedButton(panel);
    TLXSpeedButton* second = new TLXSpeedButton(panel);
    QSignalSpy firstClicks{first, &TLXSpeedButton::OnClick};
    QSignalSpy secondClicks{second, &TLXSpeedButton::OnClick};

    void SetUp() override
    {
        LXApplication().TimerPool().SetManual(true);
        panel->setGeometry(0, 0, 200, 100);
        first->move(10, 10);
        second->move(40, 10);
        panel->show();
    }
    void TearDown() override { LXApplication().TimerPool().SetManual(false); }
};

TEST_F(LXSpeedButtonTest, GroupsLatchOneButton)
{
    first->SetPressed(true);
    EXPECT_FALSE(first->Pressed()) << "no group, no latching";

    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_TRUE(first->Pressed());
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_TRUE(second->Pressed());
    EXPECT_FALSE(first->Pressed()) << "the second releases the first";
    EXPECT_EQ(firstClicks.count(), 1);
    EXPECT_EQ(secondClicks.count(), 1);

    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_TRUE(second->Pressed()) << "the pressed one stays down";
    EXPECT_EQ(secondClicks.count(), 1) << "and gives no click";
    second->SetPressed(false);
    EXPECT_TRUE(second->Pressed()) << "code cannot release it either";

    first->SetAllowAllUp(true);
    EXPECT_TRUE(second->AllowAllUp()) << "the group shares AllowAllUp";
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_FALSE(second->Pressed());
    EXPECT_EQ(secondClicks.count(), 2);
}

TEST_F(LXSpeedButtonTest, RepeatedClicksWhileHeld)
{
    first->SetRepeatedClick(true);
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(firstClicks.count(), 1) << "one at the press";
    Ticks(10);
    EXPECT_EQ(firstClicks.count(), 2) << "after the delay";
    Ticks(2);
    EXPECT_EQ(firstClicks.count(), 3) << "then every interval";
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(firstClicks.count(), 3) << "none at the release";
    EXPECT_EQ(first->RepeatTimer(), 0);

    firstClicks.clear();
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(5, 5));
    Ticks(10);
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(100, 5));
    Ticks(10);
    EXPECT_EQ(firstClicks.count(), 2) << "a release outside adds none";

    ScriptedDialogAnswerer answerer;
    answerer.ExpectButton(QMessageBox::Ok);
    firstClicks.clear();
    first->SetRepeatingDelay(525);
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(answerer.Shown().size(), 1);
    EXPECT_EQ(first->RepeatTimer(), 0);
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(firstClicks.count(), 1) << "the button still clicks";
}

TEST_F(LXSpeedButtonTest, ReleasePositionDecidesTheClick)
{
    struct Case {
        QPoint at;
        int clicks;
    };
    const Case cases[] = {{{first->width() - 1, 5}, 1}, {{first->width(), 5}, 0}, {{5, first->height()}, 1}};
    for (const Case& c : cases) {
        firstClicks.clear();
        QTest::mousePress(first, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(first, Qt::LeftButton, {}, c.at);
        EXPECT_EQ(firstClicks.count(), c.clicks) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(LXSpeedButtonTest, TheComboStripWidensTheButton)
{
    const int width = first->width();
    first->SetDropDownCombo(true);
    EXPECT_EQ(first->width(), width + 12);
    first->SetDropDownComboWidth(20);
    EXPECT_EQ(first->width(), width + 20);
    first->SetDropDownCombo(false);
    EXPECT_EQ(first->width(), width);
}

TEST_F(LXSpeedButtonTest, TheComboStripsArrowPointsDown)
{
    QMenu menu;
    first->SetDropDownMenu(&menu);
    first->SetDropDownCombo(true);
    const QImage face = first->grab().toImage();
    // A black arrow of size 3: a row of five, then three, then the tip, in the strip's middle.
    const int x = first->width() - first->DropDownComboWidth() + (first->DropDownComboWidth() - 3) / 2;
    const int y = (first->height() - 3) / 2;
    for (const QPoint& ink : {QPoint(x, y), QPoint(x + 4, y), QPoint(x + 1, y + 1), QPoint(x + 2, y + 2)})
        EXPECT_EQ(Probe(face, ink.x(), ink.y()), platform::clBlack) << ink.x() << "," << ink.y();
    for (const QPoint& none : {QPoint(x, y + 2), QPoint(x + 4, y + 2)})
        EXPECT_NE(Probe(face, none.x(), none.y()), platform::clBlack) << none.x() << "," << none.y();
    first->SetDropDownMenu(nullptr);
}

TEST_F(LXSpeedButtonTest, DropDownOpensTheMenuBelowAndLeavesTheButtonHot)
{
    QMenu menu;
    menu.addAction("Item");
    first->SetDropDownMenu(&menu);
    first->SetDropDownIndent(3);
    QStringList order;
    QPoint shownAt;
    QObject::connect(first, &TLXSpeedButton::OnDropDown, [&] { order << "drop"; });
    QTimer::singleShot(0, &menu, [&] {
        order << "menu";
        shownAt = menu.pos();
        menu.close();
    });
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(order, QStringList({"drop", "menu"}));
    EXPECT_EQ(shownAt, first->mapToGlobal(QPoint(3, first->height())));
    EXPECT_EQ(first->State(), TLXBaseGraphicButton::bsHot);
    EXPECT_EQ(firstClicks.count(), 0);
}

TEST_F(LXSpeedButtonTest, PressedContentMovesByOnePixel)
{
    using namespace platform;
    TBitmap glyph(10, 10);
    glyph.Canvas().Brush.SetColor(clFuchsia);
    glyph.Canvas().FillRect(Rect(0, 0, 10, 10));
    glyph.Canvas().Brush.SetColor(clBlue);
    glyph.Canvas().FillRect(Rect(1, 1, 9, 9));
    first->SetGlyph(glyph);
    first->SetUseCaption(false);
    first->SetColor(clWhite);
    auto blueBox = [this] {
        const QImage image = first->grab().toImage();
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (Probe(image, x, y) == clBlue)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect normal = blueBox();
    ASSERT_EQ(normal.size(), QSize(8, 8));
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(blueBox(), normal.translated(1, 1));
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(5, 5));
    first->setEnabled(false);
    EXPECT_TRUE(blueBox().isNull()) << "a disabled glyph is embossed";
}

TEST_F(LXSpeedButtonTest, HotCheckEndsHotWithoutALeaveEvent)
{
    QCursor::setPos(first->mapToGlobal(QPoint(5, 5)));
    MouseEnters(first, QPoint(5, 5));
    EXPECT_EQ(first->State(), TLXBaseGraphicButton::bsHot);
    EXPECT_NE(first->HotTimer(), 0);
    QCursor::setPos(first->mapToGlobal(QPoint(150, 80)));
    Ticks(2);
    EXPECT_EQ(first->State(), TLXBaseGraphicButton::bsNormal);
    EXPECT_EQ(first->HotTimer(), 0) << "the check removed its own timer";
}

} // namespace
