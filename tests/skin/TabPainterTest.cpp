// Tabs, the pane and tab sheets painted from the skin's Tabs object, on every side of the control.
#include "skin/TabPainter.h"
#include "Drawing.h"
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"
#include "platform_gui/PageControl.h"

#include <QStyleOptionTab>
#include <QStyleOptionToolButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace skinbuilder;

namespace {

const QColor Parent(10, 90, 30);
const QColor Face(200, 200, 200); // the fixture's ButtonFace
const QColor NormalText(1, 2, 3); // the fixture's Tabs text colours
const QColor CurrentText(4, 5, 6);

int PartAt(const QImage& image, QPoint point)
{
    return qBlue(image.pixel(point));
}

constexpr int EdgePart = static_cast<int>(CellPart::Edge);
constexpr int CentrePart = static_cast<int>(CellPart::Centre);

QImage PaintedTab(const TSkinDescription& skin, QTabBar::Shape shape, QSize size, bool current,
                  QStyle::ControlElement element = QStyle::CE_TabBarTab)
{
    QStyleOptionTab option;
    option.rect = QRect(QPoint(0, 0), size);
    option.shape = shape;
    option.state = QStyle::State_Enabled | (current ? QStyle::State_Selected : QStyle::State_None);
    option.text = QStringLiteral("WWW");
    return Painted(size, Parent, [&](QPainter& p) {
        p.setFont(PinnedFont(13).ToQFont());
        EXPECT_TRUE(TabPainter().DrawControl(PaintContext(skin), element, option, p, nullptr));
    });
}

} // namespace

TEST(TabPainter, TheCurrentTabTakesCellTwoAndItsTextColour)
{
    const TSkinDescription skin = FixtureDescription();
    const int tabsId = ObjectIdOf(StandardFixture(), "tabs.bmp");
    for (const bool current : {false, true}) {
        SCOPED_TRACE(current ? "current" : "other");
        const QImage image = PaintedTab(skin, QTabBar::RoundedNorth, {60, 20}, current);
        EXPECT_EQ(ObjectAt(image, {4, 10}), tabsId);
        EXPECT_EQ(CellAt(image, {4, 10}), current ? 2 : 1);
        EXPECT_GT(CountPixels(image, current ? CurrentText : NormalText), 10);
        EXPECT_EQ(CountPixels(image, current ? NormalText : CurrentText), 0);
    }
}

TEST(TabPainter, EachSideTurnsTheTabThroughTheStyle)
{
    SkinKit kit;
    PlainWindow window;
    window.setFont(PinnedFont(13).ToQFont());
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(10, 10, 260, 160);
    for (const char* caption : {"Sound", "Log", "Skins"})
        tabs->addTab(new QWidget, QString::fromLatin1(caption));
    kit.ShowSkinned(window);
    QTabBar* bar = tabs->tabBar();
    // The fixture's tab cell is 24 x 20 with fixed edges 3 at the left, top and right, none at the bottom:
    // the top edge is the tab's outer side, which faces away from the pane on every side.
    struct Case {
        const char* what;
        QTabBar::Shape shape;
        QSize size;
        QPoint outer;  // a pixel of the outer side
        QPoint inner;  // a pixel toward the pane
        QPoint before; // top tabs sit a pixel lower: what shows above them
    };
    const Case cases[] = {
        {"top, a pixel lower", QTabBar::RoundedNorth, {60, 20}, {30, 2}, {30, 18}, {30, 0}},
        {"bottom, upside down", QTabBar::RoundedSouth, {60, 20}, {30, 18}, {30, 1}, {-1, -1}},
        {"left, turned", QTabBar::RoundedWest, {20, 60}, {1, 30}, {18, 30}, {-1, -1}},
        {"right, turned", QTabBar::RoundedEast, {20, 60}, {18, 30}, {1, 30}, {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStyleOptionTab option;
        option.initFrom(bar);
        option.rect = QRect(QPoint(0, 0), c.size);
        option.shape = c.shape;
        const QImage image = DrawnControl(*bar, QStyle::CE_TabBarTabShape, option);
        EXPECT_EQ(PartAt(image, c.outer), EdgePart);
        EXPECT_EQ(PartAt(image, c.inner), CentrePart);
        EXPECT_EQ(CellAt(image, c.inner), 1);
        if (c.before.x() >= 0) {
            EXPECT_EQ(image.pixel(c.before), CanvasBackground);
        }
    }

    // As the tab widget paints itself: the current tab in cell 2, the strip beside the tabs in the face,
    // the pane's edges round the page.
    tabs->setCurrentIndex(1);
    QImage shown(tabs->size(), QImage::Format_RGB32);
    shown.fill(Parent);
    tabs->render(&shown);
    const auto probe = [&](int index) { return bar->tabRect(index).topLeft() + bar->pos() + QPoint(4, 10); };
    EXPECT_EQ(CellAt(shown, probe(0)), 1);
    EXPECT_EQ(CellAt(shown, probe(1)), 2);
    EXPECT_EQ(shown.pixelColor(tabs->width() - 5, 5), Face);
    EXPECT_EQ(ObjectAt(shown, {1, tabs->height() / 2}), ObjectIdOf(StandardFixture(), "tabpane.bmp"));
}

TEST(TabPainter, SideTabsTurnTheirText)
{
    const TSkinDescription skin = FixtureDescription();
    const QImage level = PaintedTab(skin, QTabBar::RoundedNorth, {60, 20}, false, QStyle::CE_TabBarTabLabel);
    const QImage turned = PaintedTab(skin, QTabBar::RoundedWest, {20, 60}, false, QStyle::CE_TabBarTabLabel);
    const QRect across = InkBounds(level, platform::FromQColor(Parent));
    const QRect down = InkBounds(turned, platform::FromQColor(Parent));
    EXPECT_GT(across.width(), across.height());
    EXPECT_GT(down.height(), down.width());
    EXPECT_EQ(turned.pixelColor(1, 1), Parent); // the label alone leaves the shape to others
}

TEST(TabPainter, PaneEdgesByStyle)
{
    struct Case {
        const char* what;
        const char* style;
        const char* paneFile;
        int left; // the edges' thickness
        int top;
    };
    // Style 0: the Tabs border image with edges 4, 5, 4, 4; Style 1: Tab.Pane with its own, the left one
    // 8 kept to 4, the top 3.
    for (const Case& c :
         {Case{"Style 0", "0", "tabpane.bmp", 4, 5}, Case{"Style 1", "1", "tab.pane.bmp", 4, 3}}) {
        SCOPED_TRACE(c.what);
        SkinFixture fixture = StandardFixture();
        fixture.SetKey("Tabs", "Style", c.style);
        const TSkinDescription skin = FixtureDescription(fixture);
        const int paneId = ObjectIdOf(fixture, c.paneFile);
        QStyleOptionTabWidgetFrame option;
        option.shape = QTabBar::RoundedNorth;
        option.rect = QRect(0, 20, 200, 100);
        const QImage image = Painted({200, 120}, Parent, [&](QPainter& p) {
            EXPECT_TRUE(TabPainter().DrawPrimitive(PaintContext(skin), QStyle::PE_FrameTabWidget, option, p,
                                                   nullptr));
        });
        // The page area's side toward the tabs gives up a pixel: the top edge starts at row 21.
        EXPECT_EQ(image.pixelColor(100, 20), Parent);
        EXPECT_EQ(ObjectAt(image, {100, 21}), paneId);
        EXPECT_EQ(ObjectAt(image, {100, 21 + c.top - 1}), paneId);
        EXPECT_EQ(image.pixelColor(100, 21 + c.top), Parent);
        EXPECT_EQ(ObjectAt(image, {c.left - 1, 70}), paneId);
        EXPECT_EQ(image.pixelColor(c.left, 70), Parent);
        EXPECT_EQ(ObjectAt(image, {199, 70}), paneId);
        EXPECT_EQ(ObjectAt(image, {100, 119}), paneId);
    }
}

TEST(TabPainter, StripBesideThePaneTakesTheFace)
{
    const TSkinDescription skin = FixtureDescription();
    HostWindow host;
    QTabWidget tabs(&host.Window);
    tabs.setGeometry(0, 0, 200, 120);
    struct Case {
        const char* what;
        QTabBar::Shape shape;
        QRect pane;
        QPoint strip;
    };
    for (const Case& c : {Case{"top", QTabBar::RoundedNorth, QRect(0, 20, 200, 100), {100, 10}},
                          Case{"bottom", QTabBar::RoundedSouth, QRect(0, 0, 200, 100), {100, 110}},
                          Case{"left", QTabBar::RoundedWest, QRect(30, 0, 170, 120), {10, 60}}}) {
        SCOPED_TRACE(c.what);
        QStyleOptionTabWidgetFrame option;
        option.shape = c.shape;
        option.rect = c.pane;
        const QImage image = Painted({200, 120}, Parent, [&](QPainter& p) {
            EXPECT_TRUE(
                TabPainter().DrawPrimitive(PaintContext(skin), QStyle::PE_FrameTabWidget, option, p, &tabs));
        });
        EXPECT_EQ(image.pixelColor(c.strip), Face);
        EXPECT_EQ(image.pixelColor(c.pane.center()), Parent);
    }
}

TEST(TabPainter, WithoutATabsImageTheBaseStylePaints)
{
    SkinFixture fixture = StandardFixture();
    fixture.DropSection("Tabs");
    const TSkinDescription skin = FixtureDescription(fixture);
    QImage image(200, 120, QImage::Format_RGB32);
    QPainter painter(&image);
    QStyleOptionTab tab;
    tab.rect = QRect(0, 0, 60, 20);
    EXPECT_FALSE(TabPainter().DrawControl(PaintContext(skin), QStyle::CE_TabBarTab, tab, painter, nullptr));
    QStyleOptionTabWidgetFrame frame;
    frame.rect = QRect(0, 20, 200, 100);
    EXPECT_FALSE(
        TabPainter().DrawPrimitive(PaintContext(skin), QStyle::PE_FrameTabWidget, frame, painter, nullptr));
}

TEST(TabPainter, ThePageControlOfTheFoldersWindow)
{
    const TSkinDescription skin = FixtureDescription();
    HostWindow host;
    platform::TPageControl pages(&host.Window);
    pages.setFont(PinnedFont(13).ToQFont());
    pages.setGeometry(0, 0, 300, 150);
    for (const char* caption : {"Jingles", "Songs", "Promos"})
        pages.AddPage(new QWidget, QString::fromLatin1(caption));
    pages.SetActivePageIndex(1);
    struct Case {
        const char* what;
        platform::TTabPosition position;
    };
    for (const Case& c :
         {Case{"top", platform::TTabPosition::tpTop}, Case{"bottom", platform::TTabPosition::tpBottom},
          Case{"left", platform::TTabPosition::tpLeft}}) {
        SCOPED_TRACE(c.what);
        pages.SetTabPosition(c.position);
        const QImage image = Painted(pages.size(), Parent, [&](QPainter& p) {
            EXPECT_TRUE(TabPainter().PaintWidget(PaintContext(skin), pages, p));
        });
        const QList<QRect> tabs = pages.TabRects();
        ASSERT_EQ(tabs.size(), 3);
        // Beside the caption, inside the fixed edges.
        const auto probe = [](const QRect& tab) { return tab.topLeft() + QPoint(4, 10); };
        EXPECT_EQ(CellAt(image, probe(tabs[0])), 1);
        EXPECT_EQ(CellAt(image, probe(tabs[1])), 2);
        EXPECT_GT(CountPixels(image, CurrentText, tabs[1]), 5);
        EXPECT_GT(CountPixels(image, NormalText, tabs[2]), 5);
        const QRect strip = pages.TabStripRect();
        EXPECT_EQ(image.pixelColor(strip.bottomRight()), Face);
    }
}

TEST(TabSheetPainter, SheetsTakeTheFace)
{
    const TSkinDescription skin = FixtureDescription();
    HostWindow host;
    QWidget sheet(&host.Window);
    sheet.setGeometry(0, 0, 50, 40);
    const QImage image = Painted(sheet.size(), Parent, [&](QPainter& p) {
        EXPECT_TRUE(TabSheetPainter().PaintWidget(PaintContext(skin), sheet, p));
    });
    EXPECT_EQ(CountPixels(image, Face), 50 * 40);
}

TEST(TabPainter, ScrollArrowsTakeUpDownHalves)
{
    const TSkinDescription skin = FixtureDescription();
    const int horzId = ObjectIdOf(StandardFixture(), "updown.horz.bmp");
    struct Case {
        const char* what;
        Qt::ArrowType arrow;
        QStyle::State state;
        int cell;
    };
    const Case cases[] = {
        {"left", Qt::LeftArrow, QStyle::State_Enabled, 1},
        {"left pressed", Qt::LeftArrow, QStyle::State_Enabled | QStyle::State_Sunken, 2},
        {"left disabled", Qt::LeftArrow, QStyle::State_Sunken, 3},
        {"right", Qt::RightArrow, QStyle::State_Enabled, 5},
        {"right pressed", Qt::RightArrow, QStyle::State_Enabled | QStyle::State_Sunken, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStyleOptionToolButton option;
        option.rect = QRect(0, 0, 16, 20);
        option.arrowType = c.arrow;
        option.state = c.state;
        const QImage image = Painted({16, 20}, Parent, [&](QPainter& p) {
            EXPECT_TRUE(TabPainter().DrawComplexControl(PaintContext(skin), QStyle::CC_ToolButton, option, p,
                                                        nullptr));
        });
        EXPECT_EQ(ObjectAt(image, {1, 1}), horzId);
        EXPECT_EQ(CellAt(image, {1, 1}), c.cell);
    }

    SkinFixture fixture = StandardFixture();
    fixture.DropSection("UpDown.Horz");
    const TSkinDescription without = FixtureDescription(fixture);
    QStyleOptionToolButton option;
    option.rect = QRect(0, 0, 16, 20);
    option.arrowType = Qt::LeftArrow;
    QImage image(16, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_FALSE(TabPainter().DrawComplexControl(PaintContext(without), QStyle::CC_ToolButton, option,
                                                 painter, nullptr));
}

TEST(TabPainter, ATabBarsScrollArrowsAreSkinnedWithIt)
{
    SkinKit kit;
    PlainWindow window;
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(10, 10, 120, 100);
    for (const char* caption : {"Sound", "Languages", "Log", "Skins", "Launchers"})
        tabs->addTab(new QWidget, QString::fromLatin1(caption));
    kit.ShowSkinned(window);
    const QList<QToolButton*> arrows = tabs->tabBar()->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    const int horzId = ObjectIdOf(StandardFixture(), "updown.horz.bmp");
    for (QToolButton* arrow : arrows) {
        SCOPED_TRACE(arrow->arrowType() == Qt::LeftArrow ? "left" : "right");
        ASSERT_TRUE(arrow->isVisible());
        const QImage shown = arrow->grab().toImage();
        EXPECT_EQ(ObjectAt(shown, {1, 1}), horzId);
        // The left arrow cannot go further left at first: disabled, cell 3; the right one normal, cell 5.
        EXPECT_EQ(CellAt(shown, {1, 1}), arrow->arrowType() == Qt::LeftArrow ? 3 : 5);
    }
}
