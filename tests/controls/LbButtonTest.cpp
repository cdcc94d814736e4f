#include "controls/LbButton.h"
#include "ControlEvents.h"
#include "Drawing.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr TColor Bgr(int r, int g, int b)
{
    return (b << 16) | (g << 8) | r;
}

// A face pixel away from the frame and the (empty) caption.
TColor FacePixel(TLbButton& button)
{
    return Probe(button.grab().toImage(), 10, 10);
}

struct LbButtonTest : ::testing::Test {
    HostWindow host;
    TLbButton* button = new TLbButton(&host.Window);
    QLineEdit* edit = new QLineEdit(&host.Window);
    QSignalSpy clicks{button, &TLbButton::OnClick};

    void SetUp() override
    {
        button->move(10, 10);
        edit->move(10, 60);
        button->show();
        edit->show();
        host.Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host.Window));
    }
};

TEST_F(LbButtonTest, SlowDeceaseFadesBackInEightStepsOfThirtyMilliseconds)
{
    button->SetHotTrackColor(clBlack);
    button->SetSlowDecease(true);
    ASSERT_NE(button->FadeWorker(), nullptr);
    EXPECT_EQ(button->FadeWorker()->Interval(), 30);

    MouseEnters(button);
    EXPECT_EQ(button->FadeLevel(), 8);
    EXPECT_EQ(FacePixel(*button), clBlack);
    EXPECT_TRUE(button->FadeWorker()->Suspended());

    MouseLeaves(button);
    EXPECT_FALSE(button->FadeWorker()->Suspended());
    // clBtnFace (212, 208, 200) coming back from black.
    const TColor expected[] = {Bgr(26, 26, 25),    Bgr(53, 52, 50),    Bgr(79, 78, 75),
                               Bgr(106, 104, 100), Bgr(132, 130, 125), Bgr(159, 156, 150),
                               Bgr(185, 182, 175), Bgr(212, 208, 200)};
    for (int step = 0; step < 8; ++step) {
        button->FadeStep();
        EXPECT_EQ(button->FadeLevel(), 7 - step);
        EXPECT_EQ(FacePixel(*button), expected[step]) << step;
    }
    EXPECT_TRUE(button->FadeWorker()->Suspended());
}

TEST_F(LbButtonTest, EnteringDuringAFadeStopsItAtTheHotColour)
{
    button->SetHotTrackColor(clBlack);
    button->SetSlowDecease(true);
    MouseEnters(button);
    MouseLeaves(button);
    button->FadeStep();
    button->FadeStep();
    MouseEnters(button);
    EXPECT_TRUE(button->FadeWorker()->Suspended());
    EXPECT_EQ(button->FadeLevel(), 8);
    EXPECT_EQ(FacePixel(*button), clBlack);
}

TEST_F(LbButtonTest, WithoutSlowDeceaseLeavingDropsTheHotColourAtOnce)
{
    button->SetHotTrackColor(clBlack);
    MouseEnters(button);
    MouseLeaves(button);
    EXPECT_EQ(button->FadeLevel(), 0);
    EXPECT_EQ(FacePixel(*button), Bgr(212, 208, 200));
    // Switching the fade off frees the worker.
    button->SetSlowDecease(true);
    button->SetSlowDecease(false);
    EXPECT_EQ(button->FadeWorker(), nullptr);
}

TEST_F(LbButtonTest, DestroyingAButtonMidFadeIsSafe)
{
    button->SetHotTrackColor(clBlack);
    button->SetSlowDecease(true);
    MouseEnters(button);
    MouseLeaves(button);
    QPointer<TLbButtonThread> worker = button->FadeWorker();
    ASSERT_FALSE(worker->Suspended());
    delete button;
    EXPECT_TRUE(worker.isNull());
    QCoreApplication::processEvents();
}

TEST_F(LbButtonTest, EachWayOfClickingRunsOnClickOnce)
{
    button->SetCaption(QStringLiteral("&Save"));
    const QPoint inside(5, 5);

    // The mouse is held by the button from the press: a release elsewhere still clicks.
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->hasFocus());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-40, 200));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button->Pressed());

    button->Click();
    EXPECT_EQ(clicks.count(), 2);

    // The accelerator, with the focus on a control that takes no characters.
    QTest::keyClick(button, Qt::Key_S);
    EXPECT_EQ(clicks.count(), 3);

    // Enter and Space on the focused button click on release.
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 5);

    // The Default button takes Enter from an edit.
    button->SetDefault(true);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 6);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(LbButtonTest, HiddenOrDisabledDefaultButtonsLeaveEnterToOthers)
{
    auto* other = new TLbButton(&host.Window);
    other->show();
    QSignalSpy otherClicks(other, &TLbButton::OnClick);
    button->SetDefault(true);
    other->SetDefault(true);
    edit->setFocus();

    button->hide();
    QTest::keyClick(edit, Qt::Key_Return);
    button->show();
    EXPECT_FALSE(button->Pressed());
    button->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(button->Pressed());

    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(otherClicks.count(), 2);

    // Clicked in code while it cannot click, it is not left drawn pressed either.
    button->Click();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(LbButtonTest, DialogKeysPassOnWhileAnotherButtonHasTheFocus)
{
    auto* push = new QPushButton(QStringLiteral("Other"), &host.Window);
    push->show();
    button->SetDefault(true);
    button->SetCancel(true);
    push->setFocus();
    QTest::keyClick(push, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 0);

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks.count(), 1);
    // Shift held: not a dialog key.
    QTest::keyClick(edit, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(LbButton, ModalResultEndsTheDialog)
{
    QDialog dialog;
    auto* button = new TLbButton(&dialog);
    button->SetModalResult(7);
    QTimer::singleShot(0, button, [button] { button->Click(); });
    EXPECT_EQ(dialog.exec(), 7);
}

TEST(LbButton, ClassNameAndTag)
{
    TLbButton button;
    EXPECT_STREQ(button.metaObject()->className(), "TLbButton");
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
    EXPECT_TRUE(button.setProperty("Tag", 99)); // true only for a declared property
    EXPECT_EQ(button.property("Tag").toInt(), 99);
    EXPECT_EQ(button.size(), QSize(100, 23));
}

} // namespace
