// The windows bar on its own: the tile and cascade of a 1024 x 768 screen, and its controls laid out
// along each edge of the test screen.
#include "shell/WindowsBar.h"
#include "controls/LXLabel.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct LayoutCase {
    int edge;
    QSize bar;
    WindowRects expected;
};

void ExpectRects(const WindowRects& actual, const WindowRects& expected)
{
    EXPECT_EQ(actual.Main, expected.Main);
    EXPECT_EQ(actual.A, expected.A);
    EXPECT_EQ(actual.B, expected.B);
    EXPECT_EQ(actual.Channel1, expected.Channel1);
}

TEST(WindowsBarTest, TileLayoutAroundTheBar)
{
    const QSize screen(1024, 768);
    const LayoutCase cases[] = {
        {1, {1024, 28}, {{1, 28, 512, 555}, {1, 583, 256, 185}, {257, 583, 256, 185}, {512, 28, 512, 740}}},
        {2, {1024, 28}, {{1, 1, 512, 555}, {1, 555, 256, 185}, {257, 555, 256, 185}, {512, 1, 512, 740}}},
        {3, {28, 768}, {{29, 1, 498, 576}, {29, 576, 249, 192}, {278, 576, 249, 192}, {526, 1, 498, 768}}},
        {4, {28, 768}, {{1, 1, 498, 576}, {1, 576, 249, 192}, {250, 576, 249, 192}, {498, 1, 498, 768}}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.edge);
        ExpectRects(TileLayout(screen, c.edge, c.bar), c.expected);
    }
}

TEST(WindowsBarTest, CascadeStepsThreeThicknessesWhateverTheEdge)
{
    const QSize screen(1024, 768);
    const WindowRects expected{
        {10, 10, 512, 384}, {94, 94, 512, 384}, {178, 178, 512, 384}, {262, 262, 512, 384}};
    for (const QSize bar : {QSize(1024, 28), QSize(28, 768)}) {
        SCOPED_TRACE(bar.width());
        ExpectRects(CascadeLayout(screen, bar), expected);
    }
}

struct ControlsCase {
    int edge;
    QRect bounds;
    bool horizontal;
};

// A place along the bar: (along, 1) on a horizontal bar, (1, along) on a vertical one.
QPoint Along(bool horizontal, int along)
{
    return horizontal ? QPoint(along, 1) : QPoint(1, along);
}

TEST(WindowsBarTest, ControlsAreLaidAlongEachEdge)
{
    TFWindowsBar bar;
    bar.SetArrangement(2);
    bar.show(); // the first showing hides channels 2 and 3 and the programation button
    EXPECT_EQ(bar.Thickness(), 28);
    const QSize s = QGuiApplication::primaryScreen()->geometry().size();
    const ControlsCase cases[] = {
        {1, {1, 1, s.width(), 28}, true},
        {2, {1, s.height() - 28, s.width(), 28}, true},
        {3, {1, 1, 28, s.height()}, false},
        {4, {s.width() - 28, 1, 28, s.height()}, false},
    };
    for (const ControlsCase& c : cases) {
        SCOPED_TRACE(c.edge);
        bar.SetPosition(c.edge);
        EXPECT_EQ(bar.Position(), c.edge);
        EXPECT_EQ(bar.geometry(), c.bounds);
        // The panel inside the window's 3-pixel border.
        EXPECT_EQ(bar.PMain->geometry(), c.bounds.translated(-c.bounds.topLeft()).adjusted(3, 3, -3, -3));
        const bool h = c.horizontal;
        const int length = h ? bar.PMain->width() : bar.PMain->height();
        const auto square = [h](int along) { return QRect(Along(h, along), QSize(22, 22)); };
        EXPECT_EQ(bar.LMenu->geometry(), QRect(Along(h, 1), h ? QSize(16, 24) : QSize(24, 16)));
        EXPECT_EQ(bar.LXLLogo->geometry(), QRect(Along(h, 17), h ? QSize(88, 20) : QSize(20, 88)));
        EXPECT_EQ(bar.LXLLogo->FontFX().Angle(), h ? 1 : 270);
        EXPECT_EQ(bar.BFolders->geometry(), square(88 + 10));
        EXPECT_EQ(bar.BLogo->geometry(), square(88 + 7 * 22 + 10));
        EXPECT_EQ(bar.BMain->geometry(), square(88 + 186));
        EXPECT_EQ(bar.BReloadFilesInOneFolder->geometry(), square(88 + 318));
        EXPECT_EQ(bar.LXLUser->pos(), Along(h, 88 + 340));
        EXPECT_EQ(bar.LXLUser->FontFX().Angle(), h ? 0 : 90);
        EXPECT_EQ(bar.LXLUser->FontFX().Orientation(), h ? toTopLeft : toBottomLeft);
        EXPECT_EQ(bar.BMinimize->geometry(), square(length - 44));
        EXPECT_EQ(bar.BClose->geometry(), square(length - 22));
        // The hidden channel 2 button keeps its slot: the clock's button stays after it and nothing
        // shown takes its place.
        EXPECT_FALSE(bar.BChannel2->isVisible());
        EXPECT_EQ(bar.BClock->geometry(), square(88 + 6 * 22 + 10));
        const QRect slot = square(88 + 4 * 22 + 10);
        for (const QWidget* control : bar.PMain->findChildren<QWidget*>()) {
            if (control->isVisible()) {
                EXPECT_FALSE(control->geometry().intersects(slot)) << control->objectName().toStdString();
            }
        }
    }

    // An edge outside 1..4 is remembered but moves and lays out nothing.
    const QRect before = bar.geometry();
    const QRect beforeMain = bar.BMain->geometry();
    bar.SetPosition(7);
    EXPECT_EQ(bar.Position(), 7);
    EXPECT_EQ(bar.geometry(), before);
    EXPECT_EQ(bar.BMain->geometry(), beforeMain);
}

TEST(WindowsBarTest, MouseDownOnTheMenuLabelOpensTheEdgeMenuThere)
{
    TFWindowsBar bar;
    bar.SetPosition(1);
    bar.show();
    QTest::mousePress(bar.LMenu, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_TRUE(bar.PM->isVisible());
    EXPECT_EQ(bar.PM->pos(), bar.pos() + QPoint(5, 6));
    QStringList edges;
    for (const QAction* item : bar.PM->actions())
        edges.append(item->text());
    EXPECT_EQ(edges, QStringList({"Top", "Bottom", "Left", "Right"}));
    bar.PM->close();
}

// Pixels of the label that differ from its top-left corner, which no caption reaches.
int InkOf(QWidget* label)
{
    const QImage image = label->grab().toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != image.pixel(0, 0);
    return ink;
}

TEST(WindowsBarTest, TheTurnedLabelsShowTheirCaptionsAtEveryEdge)
{
    TFWindowsBar bar;
    bar.show();
    bar.LXLUser->SetCaption(" bob ");
    for (const int edge : {1, 3}) {
        SCOPED_TRACE(edge);
        bar.SetPosition(edge);
        EXPECT_GT(InkOf(bar.LXLLogo), 20);
        EXPECT_GT(InkOf(bar.LXLUser), 20);
    }
}

TEST(WindowsBarTest, ButtonsTakeNoFocusAndCarryTheirHints)
{
    TFWindowsBar bar;
    const QList<QToolButton*> buttons = bar.PMain->findChildren<QToolButton*>();
    EXPECT_EQ(buttons.size(), 17);
    for (const QToolButton* button : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_EQ(button->size(), QSize(22, 22));
        // Every button shows a glyph or its caption.
        EXPECT_TRUE(!button->icon().isNull() || !button->text().isEmpty());
    }
}

} // namespace
