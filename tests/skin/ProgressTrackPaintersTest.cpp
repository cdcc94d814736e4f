// The progress-bar and track-bar painters: how far a bound bar is filled and which way, the chunked
// look, and a bound slider's thumb cell through the skin style with the base style's tick marks kept.
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"
#include "skin/ProgressPainter.h"
#include "skin/TrackBarPainter.h"

#include <QProgressBar>
#include <QSlider>
#include <QStyleOptionProgressBar>
#include <QStyleOptionSlider>
#include <gtest/gtest.h>

namespace {

QStyleOptionProgressBar BarOption(int minimum, int maximum, int progress, bool vertical = false)
{
    QStyleOptionProgressBar option;
    option.rect = vertical ? QRect(0, 0, 20, 100) : QRect(0, 0, 100, 20);
    option.state = QStyle::State_Enabled;
    if (!vertical)
        option.state |= QStyle::State_Horizontal;
    option.minimum = minimum;
    option.maximum = maximum;
    option.progress = progress;
    option.textVisible = false;
    return option;
}

QImage PaintBar(const FixtureSkin& kit, const QStyleOptionProgressBar& option)
{
    return Painted(option.rect.size(), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(ProgressPainter().DrawControl(kit.Context(), QStyle::CE_ProgressBar, option, p, nullptr));
    });
}

// The cells along the middle of a bar, from its start (the left, or the bottom of a vertical bar).
QList<int> CellsAlong(const QImage& image, bool vertical)
{
    QList<int> cells;
    const int length = vertical ? image.height() : image.width();
    for (int i = 0; i < length; ++i)
        cells.append(vertical ? CellAt(image, {image.width() / 2, image.height() - 1 - i})
                              : CellAt(image, {i, image.height() / 2}));
    return cells;
}

// How many pixels from the start show cell 2.
int FilledPixels(const QImage& image, bool vertical)
{
    const QList<int> cells = CellsAlong(image, vertical);
    return int(std::count(cells.begin(), cells.end(), 2));
}

TEST(ProgressPainter, FillsTheDoneShareOfTheRangeFromItsStart)
{
    SkinnedControls window;
    auto* bar = window.Add<QProgressBar>();
    bar->setTextVisible(false);
    window.Skin();
    const int progress = ObjectIdOf(skinbuilder::StandardFixture(), "progress.bmp");
    struct Case {
        const char* what;
        int minimum, maximum, value;
        bool vertical;
        int filled;
    };
    const Case cases[] = {
        {"nothing done", 0, 100, 0, false, 0},
        {"half", 0, 100, 50, false, 50},
        {"all", 0, 100, 100, false, 100},
        {"half of a range from 50: the minimum counts", 50, 100, 75, false, 50},
        {"at the minimum of a range from 50", 50, 100, 50, false, 0},
        {"an empty range", 0, 0, 0, false, 0},
        {"vertical, from the bottom", 0, 100, 30, true, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bar->setOrientation(c.vertical ? Qt::Vertical : Qt::Horizontal);
        bar->setFixedSize(c.vertical ? QSize(20, 100) : QSize(100, 20));
        window.layout()->activate();
        bar->setRange(c.minimum, c.maximum);
        bar->setValue(c.value);
        const QImage image = bar->grab().toImage();
        ASSERT_EQ(image.size(), bar->size());
        EXPECT_EQ(FilledPixels(image, c.vertical), c.filled);
        const QList<int> cells = CellsAlong(image, c.vertical);
        // The done part is one run from the start; the rest is cell 1.
        for (int i = 0; i < cells.size(); ++i)
            ASSERT_EQ(cells[i], i < c.filled ? 2 : 1) << i;
        EXPECT_EQ(ObjectAt(image, {image.width() / 2, image.height() / 2}), progress);
    }
}

TEST(ProgressPainter, StyleOneRepeatsTheChunkFromTheLeftEdgeWidth)
{
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.SetKey("Progress", "Style", "1");
    fixture.SetKey("Progress", "Tile", "1");
    const FixtureSkin kit(fixture);
    const QImage image = PaintBar(kit, BarOption(0, 100, 50));
    const int chunk = kit.Id("chunk.bmp");
    // The 8 x 12 chunk, 4 rows down, from x 3 (the left edge width) over 50 pixels.
    EXPECT_NE(ObjectAt(image, {2, 10}), chunk);
    EXPECT_EQ(ObjectAt(image, {3, 10}), chunk);
    EXPECT_EQ(ObjectAt(image, {52, 10}), chunk);
    EXPECT_NE(ObjectAt(image, {53, 10}), chunk);
    EXPECT_NE(ObjectAt(image, {20, 3}), chunk);
    EXPECT_EQ(ObjectAt(image, {20, 4}), chunk);
    EXPECT_EQ(ObjectAt(image, {60, 10}), kit.Id("progress.bmp"));
}

TEST(ProgressPainter, WithoutItsImagesTheBaseStylePaints)
{
    skinbuilder::SkinFixture noProgress = skinbuilder::StandardFixture();
    noProgress.DropSection("Progress");
    skinbuilder::SkinFixture noChunk = skinbuilder::StandardFixture();
    noChunk.SetKey("Progress", "Style", "1");
    noChunk.RemoveKey("Progress", "Chunk");
    for (const skinbuilder::SkinFixture& fixture : {noProgress, noChunk}) {
        const FixtureSkin kit(fixture);
        QImage image(100, 20, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        EXPECT_FALSE(ProgressPainter().DrawControl(kit.Context(), QStyle::CE_ProgressBar,
                                                   BarOption(0, 100, 50), painter, nullptr));
    }
}

QStyleOptionSlider SliderOption(Qt::Orientation orientation, QStyle::State state)
{
    QStyleOptionSlider option;
    option.rect = orientation == Qt::Horizontal ? QRect(0, 0, 200, 40) : QRect(0, 0, 40, 200);
    option.orientation = orientation;
    option.state = state | (orientation == Qt::Horizontal ? QStyle::State_Horizontal : QStyle::State_None);
    option.minimum = 0;
    option.maximum = 100;
    option.sliderPosition = option.sliderValue = 30;
    option.tickPosition = QSlider::TicksBothSides;
    option.tickInterval = 10;
    option.subControls = QStyle::SC_All;
    return option;
}

TEST(TrackBarPainter, TheThumbIsCellTwoInEveryStateAndTheTicksStay)
{
    SkinnedControls window;
    const QSlider* slider = window.Add<QSlider>();
    window.Skin();
    const FixtureSkin kit;
    using S = QStyle::StateFlag;
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        for (const QStyle::State state :
             {QStyle::State(S::State_Enabled), S::State_Enabled | S::State_Sunken,
              S::State_Enabled | S::State_MouseOver, QStyle::State(S::State_None)}) {
            SCOPED_TRACE(testing::Message() << orientation << " " << state);
            QStyleOptionSlider option = SliderOption(orientation, state);
            if (state & S::State_Sunken)
                option.activeSubControls = QStyle::SC_SliderHandle;
            const QImage image = DrawnComplex(*slider, QStyle::CC_Slider, option);
            const QRect handle =
                BaseStyle().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, nullptr);
            EXPECT_EQ(ObjectAt(image, handle.center()),
                      kit.Id(orientation == Qt::Horizontal ? "thumbhorz.bmp" : "thumbvert.bmp"));
            EXPECT_EQ(CellAt(image, handle.center()), 2);

            // Every tick mark the base style draws is there, away from the thumb.
            QStyleOptionSlider ticks = option;
            ticks.subControls = QStyle::SC_SliderTickmarks;
            const QImage expected = Painted(option.rect.size(), CanvasBackground, [&](QPainter& p) {
                BaseStyle().drawComplexControl(QStyle::CC_Slider, &ticks, &p, nullptr);
            });
            int tickPixels = 0;
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x)
                    if (expected.pixel(x, y) != CanvasBackground && !handle.contains(x, y)) {
                        ++tickPixels;
                        ASSERT_EQ(image.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
                    }
            EXPECT_GT(tickPixels, 20);
        }
    }
}

TEST(TrackBarPainter, WithoutAThumbImageTheThumbIsAWhiteBox)
{
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("Trackbar.ThumbHorz");
    const FixtureSkin kit(fixture);
    const QStyleOptionSlider option = SliderOption(Qt::Horizontal, QStyle::State_Enabled);
    const QImage image = Painted(QSize(200, 40), CanvasBackground, [&](QPainter& p) {
        TrackBarPainter().DrawComplexControl(kit.Context(), QStyle::CC_Slider, option, p, nullptr);
    });
    const QRect handle =
        BaseStyle().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, nullptr);
    EXPECT_EQ(image.pixel(handle.topLeft()), FixtureSkin::Colour(kit.skin.Colours.ButtonShadow));
    EXPECT_EQ(image.pixel(handle.center()), qRgb(255, 255, 255));
}

} // namespace
