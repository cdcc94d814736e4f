#include "controls/LXTrackBar.h"

#include "Drawing.h"
#include "controls/LXApplication.h"
#include "controls/LXErrors.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace {

const char* CodeName(TLXScrollCode code)
{
    static const char* const names[] = {"LineUp", "LineDown", "PageUp", "PageDown", "Position",
                                        "Track",  "Top",      "Bottom", "EndScroll"};
    return names[code];
}

struct LXTrackBarTest : ::testing::Test {
    HostWindow host;
    TLXTrackBar* bar = new TLXTrackBar(&host.Window);
    QStringList log;

    void SetUp() override
    {
        LXApplication().TimerPool().SetManual(true);
        bar->SetRange(0, 100);
        QObject::connect(bar, &TLXCustomTrackBar::OnChange, [this] { log << "Change"; });
        QObject::connect(bar, &TLXCustomTrackBar::OnTrack, [this](TLXScrollCode code, int& pos) {
            log << QStringLiteral("%1(%2)").arg(CodeName(code)).arg(pos);
        });
        bar->show();
    }
    void TearDown() override { LXApplication().TimerPool().SetManual(false); }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, bar->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }
    // Ticks the pool until the position moves, at most limit times; answers the ticks taken.
    int TicksUntilMove(int limit)
    {
        const int start = bar->Position();
        for (int i = 1; i <= limit; ++i) {
            LXApplication().TimerPool().Tick();
            if (bar->Position() != start)
                return i;
        }
        return -1;
    }
    QImage Grab() { return bar->grab().toImage(); }
};

TEST_F(LXTrackBarTest, PositionIsClampedAndAnnouncesOnlyRealChanges)
{
    struct Row {
        int value;
        int stored;
        QStringList events;
    };
    const std::vector<Row> rows = {
        {150, 100, {"Bottom(100)", "Change"}},
        {100, 100, {}},
        {-5, 0, {"Top(0)", "Change"}},
        {40, 40, {"Change"}},
    };
    for (const Row& row : rows) {
        log.clear();
        bar->SetPosition(row.value);
        EXPECT_EQ(bar->Position(), row.stored) << row.value;
        EXPECT_EQ(log, row.events) << row.value;
    }

    log.clear();
    bar->SetMaxValue(30);
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_EQ(log, QStringList({"Bottom(30)", "Change"})) << "a lower maximum drags the position along";
    bar->SetMaxValue(0);
    EXPECT_EQ(bar->MaxValue(), 30) << "a maximum not above the minimum is refused";
    bar->SetMinValue(30);
    EXPECT_EQ(bar->MinValue(), 0);
    bar->SetRange(200, 300);
    EXPECT_EQ(bar->MinValue(), 200);
    EXPECT_EQ(bar->MaxValue(), 300);

    // A handler rewriting the ends' notices moves neither the position nor the bounds.
    QObject::connect(bar, &TLXCustomTrackBar::OnTrack, [](TLXScrollCode, int& pos) { pos = -999; });
    bar->SetPosition(1000);
    EXPECT_EQ(bar->Position(), 300);
    EXPECT_EQ(bar->MinValue(), 200);
    EXPECT_EQ(bar->MaxValue(), 300);
}

TEST_F(LXTrackBarTest, KeysAndWheelStepWithTheirScrollCodes)
{
    bar->SetPageSize(10);
    struct Row {
        Qt::Key key;
        int position;
        QStringList events;
    };
    const std::vector<Row> rows = {
        {Qt::Key_PageUp, 60, {"PageUp(60)", "Change", "EndScroll(60)"}},
        {Qt::Key_PageDown, 40, {"PageDown(40)", "Change", "EndScroll(40)"}},
        {Qt::Key_End, 100, {"Bottom(100)", "Change"}},
        {Qt::Key_Home, 0, {"Top(0)", "Change"}},
        {Qt::Key_Left, 49, {"LineDown(49)", "Change", "EndScroll(49)"}},
        {Qt::Key_Down, 49, {"LineDown(49)", "Change", "EndScroll(49)"}},
        {Qt::Key_Up, 51, {"LineUp(51)", "Change", "EndScroll(51)"}},
        {Qt::Key_Right, 51, {"LineUp(51)", "Change", "EndScroll(51)"}},
    };
    for (const Row& row : rows) {
        bar->SetPosition(50);
        log.clear();
        QTest::keyClick(bar, row.key);
        EXPECT_EQ(bar->Position(), row.position) << row.key;
        EXPECT_EQ(log, row.events) << row.key;
    }

    bar->SetPosition(50);
    QMetaObject::Connection rewrite =
        QObject::connect(bar, &TLXCustomTrackBar::OnTrack, [](TLXScrollCode code, int& pos) {
            if (code == scLineUp)
                pos = 500;
        });
    QTest::keyClick(bar, Qt::Key_Up);
    EXPECT_EQ(bar->Position(), 100) << "a rewritten value still goes through the clamp";
    QObject::disconnect(rewrite);

    bar->SetPosition(50);
    for (int delta : {60, 60, -120}) {
        QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    }
    EXPECT_EQ(bar->Position(), 50) << "two half notches up, one notch down";
}

TEST_F(LXTrackBarTest, PageClickRepeatsUntilTheThumbPassesThePointer)
{
    // 220 x 35: inner width 218, thumb 11 long, span 207; the track runs over y 7 to 16.
    bar->SetPageSize(10);
    const QPoint pointer(150, 10);
    Mouse(QEvent::MouseButtonPress, pointer);
    EXPECT_EQ(log, QStringList({"PageUp(10)", "Change"}));
    log.clear();

    const int first = TicksUntilMove(6);
    EXPECT_GE(first, 1);
    EXPECT_LE(first, 6);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(log, QStringList({"Change"})) << "the repeat sends no scroll code of its own";
    EXPECT_EQ(TicksUntilMove(6), 6);
    EXPECT_EQ(bar->Position(), 30);

    Mouse(QEvent::MouseMove, QPoint(150, 30));
    EXPECT_EQ(TicksUntilMove(18), -1) << "outside the track the repeat pauses";
    Mouse(QEvent::MouseMove, pointer);
    EXPECT_EQ(TicksUntilMove(6), 6);
    EXPECT_EQ(bar->Position(), 40);

    // The thumb passes x 150 at 80 (offset 165): no further step.
    for (int i = 0; i < 60; ++i)
        LXApplication().TimerPool().Tick();
    EXPECT_EQ(bar->Position(), 80);
    EXPECT_FALSE(LXApplication().TimerItem(bar->RepeatTimer())->Enabled());

    log.clear();
    Mouse(QEvent::MouseButtonRelease, pointer);
    EXPECT_EQ(log, QStringList({"EndScroll(80)"}));
    log.clear();
    Mouse(QEvent::MouseButtonPress, QPoint(20, 10), Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(20, 10), Qt::RightButton);
    EXPECT_EQ(log, QStringList({"EndScroll(80)"})) << "a right click only ends the scroll";
    EXPECT_EQ(bar->Position(), 80);
}

TEST_F(LXTrackBarTest, DragMapsThePointerWithHalvesToEven)
{
    // Inner width 205 and half thumb 5: the value is (x - 5) / 200 * 100, (x - 5) / 2.
    bar->resize(207, 35);
    Mouse(QEvent::MouseButtonPress, QPoint(5, 12));
    struct Row {
        int x;
        int position;
        int tracked;
    };
    const std::vector<Row> rows = {{10, 2, 2},    {8, 2, 2},  {12, 4, 4},
                                   {105, 50, 50}, {0, 0, -2}, {400, 100, 198}};
    for (const Row& row : rows) {
        bar->SetPosition(60);
        log.clear();
        Mouse(QEvent::MouseMove, QPoint(row.x, 12));
        EXPECT_EQ(bar->Position(), row.position) << row.x;
        ASSERT_FALSE(log.isEmpty()) << row.x;
        EXPECT_EQ(log.first(), QStringLiteral("Track(%1)").arg(row.tracked)) << row.x;
    }
    log.clear();
    Mouse(QEvent::MouseButtonRelease, QPoint(400, 12));
    EXPECT_EQ(log, QStringList({"Position(100)", "EndScroll(100)"}));
}

TEST_F(LXTrackBarTest, ABarNarrowerThanItsThumbMapsNothing)
{
    bar->resize(10, 35);
    bar->SetPosition(50);
    EXPECT_EQ(bar->Layout().Thumb.Left, 1) << "no span: the thumb sits at the left";
    EXPECT_FALSE(Grab().isNull());
    Mouse(QEvent::MouseButtonPress, QPoint(3, 12));
    Mouse(QEvent::MouseMove, QPoint(8, 12));
    Mouse(QEvent::MouseButtonRelease, QPoint(8, 12));
    EXPECT_EQ(bar->Position(), 50);

    bar->SetOrientation(toVertical);
    bar->resize(35, 10);
    EXPECT_EQ(bar->Layout().Thumb.Top, 1);
    EXPECT_FALSE(Grab().isNull());
}

TEST_F(LXTrackBarTest, LargeRangesPlaceTheThumbWithoutOverflow)
{
    bar->SetRange(-2000000000, 2000000000);
    bar->SetPosition(1000000000);
    EXPECT_EQ(bar->Layout().Thumb.Left, 1 + 155) << "207 * 3/4 of the way";
}

TEST_F(LXTrackBarTest, TicksAreCountedPerGap)
{
    bar->SetTickColor(clRed);
    auto redColumns = [this](int y) {
        const QImage image = Grab();
        std::vector<int> columns;
        for (int x = 0; x < image.width(); ++x)
            if (Probe(image, x, y) == clRed)
                columns.push_back(x);
        return columns;
    };
    // Ticks run from y 28 to the bottom of the inner area, below the thumb.
    EXPECT_EQ(redColumns(31).size(), 101u);
    bar->SetTickGap(10);
    EXPECT_EQ(redColumns(31).size(), 11u);
    bar->SetRange(-60, 60);
    bar->SetTickGap(200);
    EXPECT_EQ(redColumns(31), std::vector<int>{6}) << "the one tick sits at the minimum";

    // Vertically the minimum is at the bottom: inner height 218, thumb 11 long, span 207.
    bar->SetOrientation(toVertical);
    bar->resize(35, 220);
    const QImage image = Grab();
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (Probe(image, 31, y) == clRed)
            rows.push_back(y);
    EXPECT_EQ(rows, std::vector<int>{1 + 5 + 207}) << "counted from the bottom, like the thumb";
}

TEST_F(LXTrackBarTest, ThumbIsDrawnAtItsPosition)
{
    bar->SetTickMarks(tmBoth);
    bar->SetThumbColor(clBlue);
    const QImage blank = Grab();
    auto firstBlue = [this](int position) {
        bar->SetPosition(position);
        const QImage image = Grab();
        for (int x = 0; x < image.width(); ++x)
            if (Probe(image, x, 17) == clBlue)
                return x;
        return -1;
    };
    // Rectangular thumb 10 long: span 208.
    const int atMin = firstBlue(0);
    ASSERT_GE(atMin, 1);
    EXPECT_LE(atMin, 4) << "inside the thumb's frame";
    EXPECT_EQ(firstBlue(50), atMin + 104);
    EXPECT_EQ(firstBlue(100), atMin + 208);

    bar->SetTickMarks(tmBottomRight);
    bar->SetTrackWidth(5);
    EXPECT_EQ(bar->ThumbImages().Width(), 2 * 5);
    EXPECT_EQ(bar->ThumbImages().Height(), 13);
    bar->SetThumbColor(0x008080);
    EXPECT_EQ(bar->ThumbImages().Image().pixelColor(5 / 2, 6), QColor(0x80, 0x80, 0x00))
        << "an olive thumb stays visible";
    EXPECT_EQ(bar->ThumbImages().Image().pixelColor(0, 0).alpha(), 0) << "the corners are transparent";
}

TEST_F(LXTrackBarTest, ACustomThumbSetsTheThumbGeometry)
{
    {
        TBitmap thumb(20, 8);
        bar->SetThumb(thumb);
    }
    EXPECT_EQ(bar->ThumbStyle(), tsCustom);
    ASSERT_NE(bar->Thumb(), nullptr);
    EXPECT_EQ(bar->Layout().Thumb.Width(), 10) << "two images side by side";
    EXPECT_EQ(bar->Layout().Thumb.Height(), 8);
    EXPECT_FALSE(Grab().isNull());
    bar->SetThumb(TBitmap());
    EXPECT_EQ(bar->ThumbStyle(), tsStandard) << "an empty bitmap returns to the drawn thumb";
    EXPECT_EQ(bar->Thumb(), nullptr);
    EXPECT_EQ(bar->Layout().Thumb.Width(), 11);
}

TEST(LXTrackBar, NoFreeTimerSlotRefusesTheControl)
{
    std::vector<uint16_t> taken;
    while (uint16_t ident = LXApplication().AddTimer(300, [](QObject*) {}))
        taken.push_back(ident);
    EXPECT_THROW(TLXTrackBar bar, EOutOfResources);
    for (uint16_t ident : taken)
        LXApplication().RemoveTimer(ident);
    TLXTrackBar bar;
    EXPECT_NE(bar.RepeatTimer(), 0);
    bar.SetFocusStyle(tbNoFocus);
    EXPECT_EQ(bar.focusPolicy(), Qt::NoFocus) << "never focused is out of the tab order too";
}

} // namespace
