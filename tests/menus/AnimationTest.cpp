#include "menus/PMAnimation.h"
#include "menus/PMItems.h"
#include "menus/PMLibrary.h"
#include "menus/PMPlacement.h"
#include "menus/PMPopupWindow.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Numbers.h"
#include "platform_gui/DesktopSettings.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void DeliverSteps()
{
    QCoreApplication::sendPostedEvents(nullptr, platform::MessageEvent::EventType());
}

// A laid-out popup window of two entries, not shown yet, on the manual clock.
struct Animated {
    platform::ManualClock clock{QDateTime(QDate(2026, 1, 1), QTime(12, 0)), 1000};
    platform::FakeDesktopSettings settings;
    TPMRootItem root;
    TPMPopupWindow window{nullptr, &root, false};

    Animated()
    {
        for (const char* caption : {"Alpha", "Beta"}) {
            auto* item = new TPMItem(&root);
            item->SetCaption(caption);
            root.AppendItem(item);
        }
        window.View()->Validate();
        window.move(100, 100);
    }
    ~Animated() { StopAnimation(); }
    void At(int ms)
    {
        clock.Advance(ms - (clock.TickMs() - 1000));
        AnimationTick();
    }
};

} // namespace

TEST(Animation, FadeRisesInStepsOf16AndEndsOpaque)
{
    Animated a;
    StartAnimation(&a.window, MenuAnimationMs, true, 0);
    EXPECT_TRUE(a.window.isVisible());
    EXPECT_NEAR(a.window.windowOpacity(), 32 / 255.0, 0.002);
    QList<int> levels;
    for (int ms = 1; ms < MenuAnimationMs; ++ms) {
        a.At(ms);
        DeliverSteps();
        if (levels.isEmpty() || levels.last() != AnimationLevel())
            levels << AnimationLevel();
    }
    QList<int> expected;
    for (int level = 32; level <= 240; level += 16)
        expected << level;
    EXPECT_EQ(levels, expected);
    EXPECT_NEAR(a.window.windowOpacity(), 240 / 255.0, 0.002);
    a.At(MenuAnimationMs);
    DeliverSteps();
    EXPECT_EQ(AnimationLevel(), -1);
    EXPECT_EQ(a.window.windowOpacity(), 1.0);
}

TEST(Animation, AtMostOneStepIsPending)
{
    Animated a;
    StartAnimation(&a.window, MenuAnimationMs, true, 0);
    int steps = 0;
    class Counter : public QObject {
    public:
        int* steps;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (const auto* message = platform::AsMessage(event);
                message != nullptr && message->Msg() == platform::WM_PMANIMATIONSTEP)
                ++*steps;
            return false;
        }
    } counter;
    counter.steps = &steps;
    a.window.installEventFilter(&counter);
    a.At(40);
    a.At(80);
    a.At(120);
    DeliverSteps();
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(AnimationLevel(), 192); // the latest level is the one shown
    EXPECT_NEAR(a.window.windowOpacity(), 192 / 255.0, 0.002);
}

TEST(Animation, SlideMasksAndOffsetsPerDirection)
{
    struct Case {
        int directions;
        int elapsed;
    };
    for (const Case& c : {Case{adDown | adRight, 75}, Case{adUp, 30}, Case{adLeft, 120}}) {
        Animated a;
        StartAnimation(&a.window, MenuAnimationMs, false, c.directions);
        a.At(c.elapsed);
        DeliverSteps();
        const int w = a.window.width();
        const int h = a.window.height();
        const int level = AnimationLevel();
        EXPECT_EQ(level, platform::MulDiv(255, c.elapsed, MenuAnimationMs) & ~15);
        const int across = platform::MulDiv(w, level, 255);
        const int down = platform::MulDiv(h, level, 255);
        QPoint expected((c.directions & adRight)  ? across - w
                        : (c.directions & adLeft) ? w - across
                                                  : 0,
                        (c.directions & adDown) ? down - h
                        : (c.directions & adUp) ? h - down
                                                : 0);
        QImage frame;
        QPoint offset;
        ASSERT_TRUE(AnimationFrame(&a.window, frame, offset));
        EXPECT_EQ(offset, expected) << c.directions;
        EXPECT_EQ(a.window.mask(), QRegion(QRect(expected, QSize(w, h))));
        EXPECT_EQ(frame.size(), a.window.size());
    }
}

TEST(Animation, PointingIntoTheMenuOrAnotherStartEndsIt)
{
    Animated a;
    StartAnimation(&a.window, MenuAnimationMs, false, adDown);
    a.At(20);
    DeliverSteps();
    LastMousePos() = a.window.geometry().center();
    a.At(30);
    DeliverSteps();
    EXPECT_EQ(AnimationLevel(), -1);
    EXPECT_TRUE(a.window.mask().isEmpty());

    Animated second;
    StartAnimation(&a.window, MenuAnimationMs, false, adDown);
    StartAnimation(&second.window, MenuAnimationMs, false, adUp);
    QImage frame;
    QPoint offset;
    EXPECT_FALSE(AnimationFrame(&a.window, frame, offset));
    EXPECT_TRUE(a.window.mask().isEmpty());
    second.At(60);
    DeliverSteps();
    const int level = AnimationLevel();
    AnimationStep(&second.window, -5); // an old animation's step
    EXPECT_EQ(AnimationLevel(), level);
}

TEST(Animation, TheCapturedFrameIsTheMenusNormalPainting)
{
    for (const bool blend : {true, false}) {
        Animated a;
        const QImage normal = a.window.grab().toImage();
        StartAnimation(&a.window, MenuAnimationMs, blend, adDown);
        QImage frame;
        QPoint offset;
        ASSERT_TRUE(AnimationFrame(&a.window, frame, offset));
        EXPECT_EQ(frame, normal) << blend;
    }
}

TEST(Animation, OnlyItsOwnPaintsDrawTheFrameAnyOtherPaintStopsIt)
{
    Animated a;
    StartAnimation(&a.window, MenuAnimationMs, false, adDown);
    QCoreApplication::processEvents(); // the window system shows it: its first paint
    EXPECT_EQ(AnimationLevel(), 0);
    a.At(75);
    DeliverSteps(); // the step paints its frame
    EXPECT_GT(AnimationLevel(), 0);
    EXPECT_FALSE(a.window.mask().isEmpty());

    a.window.repaint(); // the menu paints itself, say for a new selection
    EXPECT_EQ(AnimationLevel(), -1);
    EXPECT_TRUE(a.window.mask().isEmpty());
}

TEST(Animation, MenusShowAtOnceWithoutMenuAnimation)
{
    Animated a;
    a.window.AnimationDirection = adDown | adRight;
    a.window.ShowPopup();
    EXPECT_TRUE(a.window.isVisible());
    EXPECT_EQ(AnimationLevel(), -1);

    Animated sliding;
    sliding.settings.menuAnimation = true;
    sliding.window.AnimationDirection = adDown | adRight;
    sliding.window.ShowPopup();
    EXPECT_EQ(AnimationLevel(), 0);
}
