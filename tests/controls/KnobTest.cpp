#include "controls/Knob.h"
#include "ControlEvents.h"
#include "Drawing.h"
#include "controls/KnobMath.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(KnobMath, AnglesOfValuesAndValuesOfPoints)
{
    const double perUnit = KnobDegreesPerUnit(0, 100);
    EXPECT_EQ(KnobAngle(0, 0, perUnit), 240);
    EXPECT_EQ(KnobAngle(50, 0, perUnit), 90);
    EXPECT_EQ(KnobAngle(100, 0, perUnit), -60);
    EXPECT_EQ(KnobDegreesPerUnit(5, 5), 0.0);
    EXPECT_EQ(KnobValueOfAngle(17, 5, 0.0), 5);

    // A 40 x 40 knob from 0 to 100, centre (20, 20).
    const struct {
        QPoint point;
        int angle;
        int value;
    } cases[] = {
        {{39, 20}, 0, 80},    // right
        {{0, 20}, 180, 20},   // left
        {{20, 0}, 90, 50},    // straight up
        {{20, 39}, 240, 0},   // straight down
        {{10, 39}, 240, 0},   // the dead zone's left half goes to the lowest value
        {{30, 39}, -60, 100}, // and its right half to the highest
        {{30, 10}, 45, 65},   // 65 from 65.0: (240 - 45) / 3
    };
    for (const auto& c : cases) {
        const int angle = KnobMouseAngle(c.point, QSize(40, 40));
        EXPECT_EQ(angle, c.angle) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(KnobValueOfAngle(angle, 0, perUnit), c.value) << c.point.x() << "," << c.point.y();
    }
}

TEST(KnobMath, LabelText)
{
    const struct {
        int value, max;
        const char* caption;
        const char* text;
    } cases[] = {
        {50, 100, "%", "50 "},         // the lone "%" at the end vanishes
        {100, 127, "", "78 "},         // v * 100 div max
        {5, 0, "%", "0 "},             // no range: 0, not a division by zero
        {50, 100, "a%d", "50 a%d"},    // taken literally
        {50, 100, "%s %%", "50 %s %"}, // "%%" gives "%"
    };
    for (const auto& c : cases)
        EXPECT_EQ(KnobLabelText(c.value, c.max, QString::fromLatin1(c.caption)), QString::fromLatin1(c.text));
}

struct KnobTest : ::testing::Test {
    HostWindow host;
    TKnob* knob = new TKnob(&host.Window);
    QLabel* label = new QLabel(&host.Window);
    QSignalSpy changes{knob, &TKnob::OnChange};

    void SetUp() override
    {
        knob->SetMax(100);
        knob->SetPageSize(100);
        knob->SetCaption(QStringLiteral("%"));
        knob->SetPositionLabel(label);
        knob->SetPosition(50);
        knob->show();
        label->show();
        host.Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host.Window));
        changes.clear();
    }
};

TEST_F(KnobTest, KeysMoveThePositionWithinTheRange)
{
    const struct {
        Qt::Key key;
        int position;
    } steps[] = {
        {Qt::Key_PageUp, 100}, {Qt::Key_Up, 100},  {Qt::Key_Left, 99}, {Qt::Key_Home, 0},
        {Qt::Key_Down, 0},     {Qt::Key_Right, 1}, {Qt::Key_End, 100}, {Qt::Key_PageDown, 0},
    };
    for (const auto& step : steps) {
        QTest::keyClick(knob, step.key);
        EXPECT_EQ(knob->Position(), step.position) << step.key;
    }
    // Every key assigned the position, also where it stayed.
    EXPECT_EQ(changes.count(), 8);
}

TEST_F(KnobTest, TheLabelShowsThePositionAndPreviewsTheValueUnderTheMouse)
{
    EXPECT_EQ(label->text(), QStringLiteral("50 "));
    QTest::mouseMove(knob, QPoint(39, 20));
    EXPECT_EQ(label->text(), QStringLiteral("80 "));
    EXPECT_EQ(knob->Position(), 50);
    MouseLeaves(knob);
    EXPECT_EQ(label->text(), QStringLiteral("50 "));

    // The label follows the knob's visibility and enabled state.
    knob->hide();
    EXPECT_TRUE(label->isHidden());
    knob->show();
    EXPECT_FALSE(label->isHidden());
    knob->setEnabled(false);
    EXPECT_FALSE(label->isEnabled());
}

TEST_F(KnobTest, PressingOnTheDialSetsTheValueAndACornerDoesNothing)
{
    QTest::mousePress(knob, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(knob->Tracking());
    EXPECT_EQ(changes.count(), 0);
    QTest::mouseRelease(knob, Qt::LeftButton, {}, QPoint(1, 1));

    QTest::mousePress(knob, Qt::LeftButton, {}, QPoint(39, 20));
    EXPECT_TRUE(knob->Tracking());
    EXPECT_TRUE(knob->hasFocus());
    EXPECT_EQ(knob->Position(), 80);
    EXPECT_EQ(knob->Angle(), 0);
    QTest::mouseMove(knob, QPoint(20, 0));
    EXPECT_EQ(knob->Position(), 50);
    QTest::mouseRelease(knob, Qt::LeftButton, {}, QPoint(20, 0));
    EXPECT_FALSE(knob->Tracking());
    EXPECT_EQ(knob->Position(), 50);
}

TEST_F(KnobTest, SpringLoadedReturnsToZeroOnReleaseAndFocusLoss)
{
    knob->SetSpringLoaded(true);
    EXPECT_EQ(knob->Position(), 0);
    QTest::mousePress(knob, Qt::LeftButton, {}, QPoint(39, 20));
    EXPECT_EQ(knob->Position(), 80);
    QTest::mouseRelease(knob, Qt::LeftButton, {}, QPoint(39, 20));
    EXPECT_EQ(knob->Position(), 0);

    auto* other = new QLabel(&host.Window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->show();
    QTest::mousePress(knob, Qt::LeftButton, {}, QPoint(39, 20));
    other->setFocus();
    EXPECT_FALSE(knob->Tracking());
    EXPECT_EQ(knob->Position(), 0);
}

TEST_F(KnobTest, EveryAssignmentRaisesOnChangeAndClamps)
{
    knob->SetPosition(50);
    EXPECT_EQ(changes.count(), 1);
    knob->SetPosition(500);
    EXPECT_EQ(knob->Position(), 100);
    knob->SetMax(40);
    EXPECT_EQ(knob->Position(), 40);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(label->text(), QStringLiteral("100 "));
    knob->SetMax(0);
    EXPECT_EQ(knob->Position(), 0);
    EXPECT_EQ(label->text(), QStringLiteral("0 "));
}

TEST_F(KnobTest, LineColourRefusesTheFaceColourInEitherForm)
{
    knob->SetLineColor(clRed);
    knob->SetLineColor(clBtnFace);
    knob->SetLineColor(SystemColor(15));
    EXPECT_EQ(knob->LineColor(), clRed);
}

TEST_F(KnobTest, KeptSquare)
{
    knob->resize(60, 30); // larger than the side so far: the larger dimension
    EXPECT_EQ(knob->size(), QSize(60, 60));
    knob->resize(30, 20); // within it: the smaller
    EXPECT_EQ(knob->size(), QSize(20, 20));
}

TEST_F(KnobTest, PointerPaintsAtItsAngle)
{
    knob->SetLineColor(clRed);
    knob->SetPosition(50); // straight up: the pointer from (20, 11) to (20, 5)
    const QImage image = knob->grab().toImage();
    EXPECT_EQ(Probe(image, 20, 8), clRed);
    knob->SetPosition(0);
    EXPECT_NE(Probe(knob->grab().toImage(), 20, 8), clRed);
}

} // namespace
