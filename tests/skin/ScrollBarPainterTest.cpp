// The scroll-bar painter: a bound bar's arrow, track, thumb and grip cells by state and a disabled bar
// through the skin style; the short bar, the drawn thickness, skins lacking some of the objects and the
// layout Qt scrolls by on the painter itself; a bound list's frame and a scrolling area's corner.
#include "skin/ScrollBarPainter.h"
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"

#include <QAbstractScrollArea>
#include <QListWidget>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>
#include <gtest/gtest.h>

namespace {

// Fusion with the scroll-bar extent, the arrows' length, set by the test.
class ExtentStyle : public QProxyStyle {
public:
    explicit ExtentStyle(int extent)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), extent_(extent)
    {
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        return metric == PM_ScrollBarExtent ? extent_ : QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int extent_;
};

// The fixture skin over a base style whose arrows are 17 pixels long unless the test says otherwise.
struct BarSkin : FixtureSkin {
    explicit BarSkin(skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture(), int extent = 17)
        : FixtureSkin(std::move(fixture)), base(extent)
    {
    }
    TSkinPaintContext Context() const { return {skin, {}, false, base}; }

    ExtentStyle base;
};

using S = QStyle::StateFlag;

// A 200-pixel bar 17 thick (the arrows' length), over a range of 0 to 100 with a page of 30.
QStyleOptionSlider BarOption(Qt::Orientation orientation, QStyle::State state, int length = 200,
                             int thickness = 17)
{
    QStyleOptionSlider option;
    option.orientation = orientation;
    option.rect =
        orientation == Qt::Horizontal ? QRect(0, 0, length, thickness) : QRect(0, 0, thickness, length);
    option.state = state | (orientation == Qt::Horizontal ? S::State_Horizontal : S::State_None);
    option.minimum = 0;
    option.maximum = 100;
    option.pageStep = 30;
    option.singleStep = 1;
    option.sliderPosition = option.sliderValue = 40;
    option.subControls = QStyle::SC_All;
    return option;
}

QImage PaintBar(const BarSkin& kit, const QStyleOptionSlider& option)
{
    return Painted(option.rect.size(), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(
            ScrollBarPainter().DrawComplexControl(kit.Context(), QStyle::CC_ScrollBar, option, p, nullptr));
    });
}

QRect PartRect(const BarSkin& kit, const QStyleOptionSlider& option, QStyle::SubControl part)
{
    return ScrollBarPainter()
        .SubControlRect(kit.Context(), QStyle::CC_ScrollBar, option, part, nullptr)
        .value();
}

// A point of the part away from its ends, in the middle of the bar's thickness.
QPoint Inside(const QRect& part)
{
    return part.center();
}

// The first pixel of the part along the bar (its fixed edge, clear of the grip).
QPoint Start(const QRect& part, Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? QPoint(part.left() + 1, part.center().y())
                                         : QPoint(part.center().x(), part.top() + 1);
}

// The bars of a scrolling area bound in a skinned window, drawn through the skin style.
struct BoundBars {
    BoundBars()
    {
        area = window.Add<QAbstractScrollArea>();
        window.Skin();
    }
    const QScrollBar& Bar(Qt::Orientation orientation) const
    {
        return *(orientation == Qt::Horizontal ? area->horizontalScrollBar() : area->verticalScrollBar());
    }
    QRect Part(const QStyleOptionSlider& option, QStyle::SubControl part) const
    {
        const QScrollBar& bar = Bar(option.orientation);
        return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
    }
    QImage Drawn(const QStyleOptionSlider& option) const
    {
        return DrawnComplex(Bar(option.orientation), QStyle::CC_ScrollBar, option);
    }

    SkinnedControls window;
    QAbstractScrollArea* area = nullptr;
};

TEST(ScrollBarPainter, ArrowThumbAndGripCellsFollowThePartPressedOrUnderTheMouse)
{
    const BoundBars bars;
    const FixtureSkin kit;
    const int scrollbar = kit.Id("scrollbar.bmp");
    struct Case {
        const char* what;
        QStyle::State state;
        QStyle::SubControls active;
        int first, second, thumb, grip; // across; down adds 8 to the arrows and 3 to the grip
    };
    const Case cases[] = {
        {"normal", S::State_Enabled, QStyle::SC_None, 1, 5, 1, 17},
        {"first arrow pressed", S::State_Enabled | S::State_Sunken, QStyle::SC_ScrollBarSubLine, 2, 5, 1, 17},
        {"second arrow pressed", S::State_Enabled | S::State_Sunken, QStyle::SC_ScrollBarAddLine, 1, 6, 1,
         17},
        {"first arrow hot", S::State_Enabled | S::State_MouseOver, QStyle::SC_ScrollBarSubLine, 4, 5, 1, 17},
        {"second arrow hot", S::State_Enabled | S::State_MouseOver, QStyle::SC_ScrollBarAddLine, 1, 8, 1, 17},
        {"thumb pressed", S::State_Enabled | S::State_Sunken, QStyle::SC_ScrollBarSlider, 1, 5, 2, 18},
        {"thumb hot", S::State_Enabled | S::State_MouseOver, QStyle::SC_ScrollBarSlider, 1, 5, 3, 19},
        {"page pressed", S::State_Enabled | S::State_Sunken, QStyle::SC_ScrollBarAddPage, 1, 5, 1, 17},
    };
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        const int down = orientation == Qt::Vertical ? 8 : 0;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << " " << orientation);
            QStyleOptionSlider option = BarOption(orientation, c.state);
            option.activeSubControls = c.active;
            const QImage image = bars.Drawn(option);
            const QPoint first = Inside(bars.Part(option, QStyle::SC_ScrollBarSubLine));
            const QPoint second = Inside(bars.Part(option, QStyle::SC_ScrollBarAddLine));
            const QRect thumb = bars.Part(option, QStyle::SC_ScrollBarSlider);
            EXPECT_EQ(ObjectAt(image, first), scrollbar);
            EXPECT_EQ(CellAt(image, first), c.first + down);
            EXPECT_EQ(CellAt(image, second), c.second + down);
            const int thumbObject =
                kit.Id(orientation == Qt::Horizontal ? "horzscrollthumb.bmp" : "vertscrollthumb.bmp");
            EXPECT_EQ(ObjectAt(image, Start(thumb, orientation)), thumbObject);
            EXPECT_EQ(CellAt(image, Start(thumb, orientation)), c.thumb);
            EXPECT_EQ(ObjectAt(image, thumb.center()), scrollbar);
            EXPECT_EQ(CellAt(image, thumb.center()), c.grip + (orientation == Qt::Vertical ? 3 : 0));
            const QPoint page = Inside(bars.Part(option, QStyle::SC_ScrollBarAddPage));
            EXPECT_EQ(ObjectAt(image, page),
                      kit.Id(orientation == Qt::Horizontal ? "horzscroll.bmp" : "vertscroll.bmp"));
            EXPECT_EQ(CellAt(image, page), 1);
        }
    }
}

TEST(ScrollBarPainter, ADisabledBarShowsTrackCellThreeAndNoThumb)
{
    const BoundBars bars;
    const FixtureSkin kit;
    const QStyleOptionSlider option = BarOption(Qt::Horizontal, S::State_None);
    const QImage image = bars.Drawn(option);
    const QRect thumb = bars.Part(option, QStyle::SC_ScrollBarSlider);
    for (const QPoint point : {Start(thumb, Qt::Horizontal), thumb.center(), QPoint(100, 8)}) {
        EXPECT_EQ(ObjectAt(image, point), kit.Id("horzscroll.bmp"));
        EXPECT_EQ(CellAt(image, point), 3);
    }
    EXPECT_EQ(CellAt(image, {8, 8}), 1);
}

TEST(ScrollBarPainter, ABarShorterThanTwoArrowsHasTwoHalfArrowsAndNoTrack)
{
    const BarSkin kit;
    const QStyleOptionSlider option = BarOption(Qt::Horizontal, S::State_Enabled, 24);
    const QImage image = PaintBar(kit, option);
    for (int x = 0; x < 24; ++x) {
        EXPECT_EQ(ObjectAt(image, {x, 8}), kit.Id("scrollbar.bmp")) << x;
        EXPECT_EQ(CellAt(image, {x, 8}), x < 12 ? 1 : 5) << x;
    }
    // Each half answers for its own arrow.
    const auto hit = [&](int x) {
        return ScrollBarPainter()
            .HitTest(kit.Context(), QStyle::CC_ScrollBar, option, {x, 8}, nullptr)
            .value();
    };
    EXPECT_EQ(hit(3), QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(hit(14), QStyle::SC_ScrollBarAddLine);
    EXPECT_TRUE(PartRect(kit, option, QStyle::SC_ScrollBarSlider).isEmpty());
}

TEST(ScrollBarPainter, ThicknessIsTheImageHeightUnlessItDiffersFromTheArrowsByMoreThanTwo)
{
    struct Case {
        int arrow;
        int drawn;
    };
    // The fixture's Scrollbar image is 16 high.
    for (const Case& c :
         {Case{17, 16}, Case{18, 16}, Case{14, 16}, Case{19, 19}, Case{21, 21}, Case{13, 13}}) {
        SCOPED_TRACE(c.arrow);
        EXPECT_EQ(ScrollBarThickness(16, c.arrow), c.drawn);
        const BarSkin kit(skinbuilder::StandardFixture(), c.arrow);
        const QStyleOptionSlider option = BarOption(Qt::Horizontal, S::State_Enabled, 200, c.arrow);
        const QImage image = PaintBar(kit, option);
        for (int y = 0; y < c.arrow; ++y) {
            const bool skinned = y < c.drawn;
            EXPECT_EQ(ObjectAt(image, {c.arrow / 2, y}) == kit.Id("scrollbar.bmp"), skinned) << y;
            if (!skinned) {
                EXPECT_EQ(image.pixel(100, y), FixtureSkin::Colour(kit.skin.Colours.ButtonFace)) << y;
            }
        }
    }
}

TEST(ScrollBarPainter, MissingTrackOrThumbObjectsAreSkipped)
{
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("HorzScroll");
    fixture.DropSection("HorzScrollThumb");
    const BarSkin kit(fixture);
    const QStyleOptionSlider option = BarOption(Qt::Horizontal, S::State_Enabled);
    const QImage image = PaintBar(kit, option);
    const QRgb face = FixtureSkin::Colour(kit.skin.Colours.ButtonFace);
    EXPECT_EQ(image.pixel(Inside(PartRect(kit, option, QStyle::SC_ScrollBarAddPage))), face);
    EXPECT_EQ(image.pixel(Start(PartRect(kit, option, QStyle::SC_ScrollBarSlider), Qt::Horizontal)), face);
    EXPECT_EQ(CellAt(image, {8, 8}), 1);
    EXPECT_EQ(CellAt(image, {191, 8}), 5);
}

TEST(ScrollBarPainter, WithoutAScrollbarImageTheBaseStyleHasTheBar)
{
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("Scrollbar");
    const BarSkin kit(fixture);
    const QStyleOptionSlider option = BarOption(Qt::Horizontal, S::State_Enabled);
    QImage image(200, 17, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const TSkinPainter& bar = ScrollBarPainter();
    EXPECT_FALSE(bar.DrawComplexControl(kit.Context(), QStyle::CC_ScrollBar, option, painter, nullptr));
    EXPECT_FALSE(
        bar.SubControlRect(kit.Context(), QStyle::CC_ScrollBar, option, QStyle::SC_ScrollBarSlider, nullptr));
    EXPECT_FALSE(bar.HitTest(kit.Context(), QStyle::CC_ScrollBar, option, {5, 5}, nullptr));
}

// The thumb's place and length are what Qt maps the value from: the page's share of the track, from
// the first arrow's end at the minimum to the second arrow's start at the maximum.
TEST(ScrollBarPainter, TheLayoutKeepsTheThumbBetweenTheArrowsWithItsLength)
{
    const BarSkin kit;
    QStyleOptionSlider option = BarOption(Qt::Horizontal, S::State_Enabled, 400);
    option.maximum = 20;
    option.pageStep = 20;
    // Track 400 - 2 x 17 = 366; thumb 20 x 366 / 40 = 183.
    for (const auto& [position, left] : {std::pair{0, 17}, std::pair{10, 17 + 92}, std::pair{20, 17 + 183}}) {
        SCOPED_TRACE(position);
        option.sliderPosition = position;
        const QRect thumb = PartRect(kit, option, QStyle::SC_ScrollBarSlider);
        EXPECT_EQ(thumb, QRect(left, 0, 183, 17));
        EXPECT_EQ(PartRect(kit, option, QStyle::SC_ScrollBarGroove), QRect(17, 0, 366, 17));
        EXPECT_EQ(PartRect(kit, option, QStyle::SC_ScrollBarSubPage).width(), left - 17);
        const auto hit = [&](QPoint point) {
            return ScrollBarPainter()
                .HitTest(kit.Context(), QStyle::CC_ScrollBar, option, point, nullptr)
                .value();
        };
        EXPECT_EQ(hit({thumb.left(), 8}), QStyle::SC_ScrollBarSlider);
        EXPECT_EQ(hit({thumb.right(), 8}), QStyle::SC_ScrollBarSlider);
        EXPECT_EQ(hit({16, 8}), QStyle::SC_ScrollBarSubLine);
        EXPECT_EQ(hit({383, 8}), QStyle::SC_ScrollBarAddLine);
        if (thumb.right() < 382) {
            EXPECT_EQ(hit({thumb.right() + 1, 8}), QStyle::SC_ScrollBarAddPage);
        }
    }
}

TEST(ScrollBarPainter, AFramedScrollingAreaGetsTheFlatTwoRingBorderAndAFaceCorner)
{
    const BarSkin kit;
    QStyleOptionFrame frame;
    frame.rect = QRect(0, 0, 50, 40);
    frame.frameShape = QFrame::StyledPanel;
    frame.lineWidth = 1;
    const TSkinPainter& painter = ScrollBarPainter();
    const QImage framed = Painted(QSize(50, 40), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(painter.DrawControl(kit.Context(), QStyle::CE_ShapedFrame, frame, p, nullptr));
    });
    const QRgb shadow = FixtureSkin::Colour(kit.skin.Colours.ButtonShadow);
    const QRgb face = FixtureSkin::Colour(kit.skin.Colours.ButtonFace);
    for (const QPoint point : {QPoint(0, 0), QPoint(49, 39), QPoint(25, 0), QPoint(0, 20)})
        EXPECT_EQ(framed.pixel(point), shadow);
    for (const QPoint point : {QPoint(1, 1), QPoint(48, 38), QPoint(25, 38)})
        EXPECT_EQ(framed.pixel(point), face);
    EXPECT_EQ(framed.pixel(2, 2), CanvasBackground);

    frame.frameShape = QFrame::NoFrame;
    const QImage bare = Painted(QSize(50, 40), CanvasBackground, [&](QPainter& p) {
        painter.DrawControl(kit.Context(), QStyle::CE_ShapedFrame, frame, p, nullptr);
    });
    EXPECT_EQ(bare.pixel(0, 0), CanvasBackground);

    QStyleOption corner;
    corner.rect = QRect(0, 0, 17, 17);
    const QImage cornerImage = Painted(QSize(17, 17), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(
            painter.DrawPrimitive(kit.Context(), QStyle::PE_PanelScrollAreaCorner, corner, p, nullptr));
    });
    EXPECT_EQ(cornerImage.pixel(8, 8), face);
}

TEST(ScrollBarPainter, AFramedListGetsTheFlatBorderAndTwoBarsAFaceCorner)
{
    SkinnedControls window;
    auto* framed = window.Add<QListWidget>();
    auto* frameless = window.Add<QListWidget>();
    frameless->setFrameShape(QFrame::NoFrame);
    auto* area = window.Add<QAbstractScrollArea>();
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    window.Skin();
    const TSkinColours& colours = window.kit.data->Description().Colours;
    const QRgb shadow = FixtureSkin::Colour(colours.ButtonShadow);
    const QRgb face = FixtureSkin::Colour(colours.ButtonFace);

    const QImage list = framed->grab().toImage();
    const QPoint last(list.width() - 1, list.height() - 1);
    for (const QPoint point : {QPoint(0, 0), last, QPoint(0, last.y() / 2), QPoint(last.x() / 2, 0)})
        EXPECT_EQ(list.pixel(point), shadow);
    // The base style's frame is one pixel wide, and the list's own face covers the inner ring.
    EXPECT_EQ(framed->frameWidth(), 1);
    EXPECT_NE(frameless->grab().toImage().pixel(0, 0), shadow);

    const QScrollBar* across = area->horizontalScrollBar();
    const QScrollBar* down = area->verticalScrollBar();
    const QPoint corner(down->mapTo(area, QPoint(down->width() / 2, 0)).x(),
                        across->mapTo(area, QPoint(0, across->height() / 2)).y());
    EXPECT_EQ(area->grab().toImage().pixel(corner), face);
}

} // namespace
