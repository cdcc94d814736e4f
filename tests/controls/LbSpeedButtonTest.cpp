#include "controls/LbSpeedButton.h"
#include "Drawing.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

using namespace platform;

namespace {

struct LbSpeedButtonTest : ::testing::Test {
    HostWindow host;
    std::map<QString, TLbSpeedButton*> buttons;
    std::map<QString, int> clicks;

    TLbSpeedButton* Add(const QString& name, int group, bool allowAllUp)
    {
        auto* button = new TLbSpeedButton(&host.Window);
        button->setObjectName(name);
        button->SetGroupIndex(group);
        button->SetAllowAllUp(allowAllUp);
        button->move(0, 30 * static_cast<int>(buttons.size()));
        button->show();
        QObject::connect(button, &TLbSpeedButton::OnClick, [this, name] { ++clicks[name]; });
        buttons[name] = button;
        return button;
    }
    QString DownOnes() const
    {
        QString down;
        for (const auto& [name, button] : buttons)
            if (button->Down())
                down += name;
        return down;
    }
    void Click(const QString& name) { QTest::mouseClick(buttons.at(name), Qt::LeftButton, {}, QPoint(5, 5)); }
};

TEST_F(LbSpeedButtonTest, ClickSequencesInTheirGroups)
{
    Add("P", 1, false);                // Play/Pause
    Add("S", 1, false)->SetDown(true); // Stop, down at creation
    Add("R", 4, true);                 // an on/off toggle alone in its group
    const struct {
        const char* click;
        const char* down; // the buttons down afterwards
    } steps[] = {
        {"S", "S"},              // Stop clicked while down stays down
        {"P", "P"},  {"P", "P"}, // and so does Play, which cannot be released
        {"R", "PR"}, {"R", "P"}, // the toggle goes down and up
        {"S", "S"},
    };
    for (const auto& step : steps) {
        Click(step.click);
        EXPECT_EQ(DownOnes(), QString(step.down)) << "after " << step.click;
    }
    // Every click raised OnClick, changed or not.
    EXPECT_EQ(clicks["S"], 2);
    EXPECT_EQ(clicks["P"], 2);
    EXPECT_EQ(clicks["R"], 2);
}

TEST_F(LbSpeedButtonTest, AnUngroupedButtonIsDownOnlyWhileHeld)
{
    TLbSpeedButton* plain = Add("M", 0, false);
    QTest::mousePress(plain, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(plain->Down());
    QTest::mouseRelease(plain, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(plain->Down());
    EXPECT_EQ(clicks["M"], 1);

    // A release off the button is no click.
    QTest::mousePress(plain, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(plain, Qt::LeftButton, {}, QPoint(5, 200));
    EXPECT_FALSE(plain->Down());
    EXPECT_EQ(clicks["M"], 1);
}

TEST_F(LbSpeedButtonTest, DownFalseInCodeReleasesTheWholeGroup)
{
    TLbSpeedButton* a = Add("A", 0, false);
    TLbSpeedButton* b = Add("B", 0, false);
    a->SetDown(true);
    b->SetDown(true);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    b->SetDown(false);
    EXPECT_EQ(DownOnes(), QString());
    // Down true releases the others as well.
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_EQ(DownOnes(), QStringLiteral("B"));
}

TEST_F(LbSpeedButtonTest, AcceleratorOnAGroupedUpButtonClicksOnceAndLeavesTheGroupUp)
{
    TLbSpeedButton* play = Add("P", 1, false);
    Add("S", 1, false)->SetDown(true);
    play->SetCaption(QStringLiteral("&Play"));
    bool downDuringClick = false;
    QObject::connect(play, &TLbSpeedButton::OnClick, [&] { downDuringClick = play->Down(); });
    QTest::keyClick(&host.Window, Qt::Key_P);
    EXPECT_EQ(clicks["P"], 1);
    EXPECT_TRUE(downDuringClick);
    EXPECT_EQ(DownOnes(), QString()); // kept as it always was
}

TEST_F(LbSpeedButtonTest, ADoubleClickTogglesTwice)
{
    TLbSpeedButton* toggle = Add("T", 2, true);
    const QPointF at(5, 5);
    QTest::mousePress(toggle, Qt::LeftButton, {}, at.toPoint());
    QTest::mouseRelease(toggle, Qt::LeftButton, {}, at.toPoint());
    EXPECT_TRUE(toggle->Down());
    QMouseEvent second(QEvent::MouseButtonDblClick, at, toggle->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(toggle, &second);
    QTest::mouseRelease(toggle, Qt::LeftButton, {}, at.toPoint());
    EXPECT_FALSE(toggle->Down());
    EXPECT_EQ(clicks["T"], 2);
}

TEST_F(LbSpeedButtonTest, ATransparentButtonShowsItsParentThroughTheKey)
{
    QPalette palette = host.Window.palette();
    palette.setColor(QPalette::Window, Qt::red);
    host.Window.setPalette(palette);
    host.Window.setAutoFillBackground(true);
    TLbSpeedButton* button = Add("X", 0, false);
    button->SetColor(clBlue);
    const QPoint inside = button->geometry().center();
    EXPECT_EQ(Probe(host.Window.grab().toImage(), inside.x(), inside.y()), clBlue);
    button->SetTransparent(true);
    EXPECT_EQ(Probe(host.Window.grab().toImage(), inside.x(), inside.y()), clRed);
}

TEST_F(LbSpeedButtonTest, WindowLessWithTheParentsColourUntilSet)
{
    QPalette palette = host.Window.palette();
    palette.setColor(QPalette::Window, QColor(0x10, 0x20, 0x30));
    host.Window.setPalette(palette);
    TLbSpeedButton* button = Add("W", 0, false);
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(button->Color(), 0x302010);
    EXPECT_EQ(button->Alignment(), taLeftJustify);
    EXPECT_EQ(button->ShadowColor(), clBlack);
    EXPECT_EQ(button->FadeWorker(), nullptr);
    EXPECT_STREQ(button->metaObject()->className(), "TLbSpeedButton");
    button->SetColor(clLime);
    EXPECT_EQ(button->Color(), clLime);
}

} // namespace
