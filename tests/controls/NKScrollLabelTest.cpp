#include "controls/NKScrollLabel.h"
#include "Drawing.h"
#include "controls/ScrollStep.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace platform;

namespace {

const QSize Area(145, 18);
const QSize Text(100, 16);

TEST(ScrollStep, OneTickPerDirectionWithItsWrapPoints)
{
    const struct {
        TScrollDirection direction;
        TScrollPosition from;
        TScrollPosition to;
    } cases[] = {
        {sdRightToLeft, {10, 0}, {8, 0}},
        {sdRightToLeft, {-98, 0}, {-100, 0}}, // at -100 the text has just left
        {sdRightToLeft, {-100, 0}, {145, 0}}, // past it, it re-enters on the right
        {sdLeftToRight, {143, 0}, {145, 0}},
        {sdLeftToRight, {144, 0}, {-100, 0}},
        {sdHorzBounce, {1, 0}, {0, 0, true}},          // starts moving left, turns at 0
        {sdHorzBounce, {44, 0, true}, {45, 0, false}}, // turns where its end meets the right side
        {sdTopToBottom, {150, 17}, {45, -16}},         // right of the area: brought back, then wraps
        {sdTopToBottom, {150, 16}, {45, 18}},
        {sdBottomToTop, {3, -15}, {3, 18}},
        {sdBottomToTop, {3, -14}, {3, -16}},
        {sdVertBounce, {3, 1}, {3, 0, false, true}}, // starts moving up, turns at 0
        {sdVertBounce, {3, 1, false, true}, {3, 2, false, false}},
    };
    for (const auto& c : cases) {
        const TScrollPosition to = ScrollStep(c.from, c.direction, 2, Area, Text);
        EXPECT_EQ(to, c.to) << c.direction << " from " << c.from.X << "," << c.from.Y << " gives " << to.X
                            << "," << to.Y << " right " << to.MovingRight << " down " << to.MovingDown;
    }
}

TEST(ScrollStep, HorizontalBounceOfATextWiderThanTheArea)
{
    TScrollPosition p;
    std::vector<int> xs;
    for (int tick = 0; tick < 4; ++tick) {
        p = ScrollStep(p, sdHorzBounce, 2, Area, QSize(200, 16));
        xs.push_back(p.X);
    }
    EXPECT_EQ(xs, (std::vector<int>{0, -55, 0, -55}));
}

TEST(NKScrollLabel, ActiveRunsTheTimerAndTheTextKeepsItsPlace)
{
    HostWindow host;
    TNKScrollLabel label(&host.Window);
    EXPECT_EQ(label.Text(), QStringLiteral("<<Text here>>"));
    EXPECT_EQ(label.Interval(), 500);
    EXPECT_FALSE(label.Active());
    label.SetSpeed(0); // never a busy loop
    EXPECT_EQ(label.Interval(), 10);
    label.SetSpeed(50);
    EXPECT_EQ(label.Interval(), 50);

    label.resize(145, 18);
    label.SetDirection(sdRightToLeft);
    label.SetJump(2);
    QSignalSpy scrolls(&label, &TNKScrollLabel::OnScroll);
    label.SetActive(true);
    EXPECT_TRUE(label.Active());
    label.Tick();
    label.Tick();
    label.SetActive(false);
    EXPECT_FALSE(label.Active());
    label.SetText(QStringLiteral("other"));
    label.SetDirection(sdLeftToRight);
    EXPECT_EQ(label.Position().X, -4);
    label.SetActive(true);
    label.Tick();
    EXPECT_EQ(label.Position().X, -2);
    ASSERT_EQ(scrolls.count(), 3);
    EXPECT_EQ(scrolls.at(2).at(0).toInt(), -2);
    EXPECT_EQ(scrolls.at(2).at(1).toInt(), 0);
}

TEST(NKScrollLabel, TextOnlyPaintsTheTextCellAndFullTheWholeLabel)
{
    HostWindow host;
    QPalette palette = host.Window.palette();
    palette.setColor(QPalette::Window, Qt::red);
    host.Window.setPalette(palette);
    host.Window.setAutoFillBackground(true);
    auto* label = new TNKScrollLabel(&host.Window);
    EXPECT_EQ(label->BackGround(), clRed);
    label->setGeometry(0, 0, 200, 30);
    label->show();
    label->SetBackGround(clBlack);
    label->SetText(QStringLiteral("ab"));

    const QImage textOnly = host.Window.grab().toImage();
    EXPECT_EQ(Probe(textOnly, 0, 0), clBlack); // the text cell's top-left, above the letters
    EXPECT_EQ(Probe(textOnly, 190, 25), clRed);

    label->SetFillStyle(bfFull);
    EXPECT_EQ(Probe(host.Window.grab().toImage(), 190, 25), clBlack);
}

} // namespace
