// Group boxes and status bars in the skin's colours.
#include "skin/GroupPainters.h"
#include "Drawing.h"
#include "PainterKit.h"
#include "SkinnedControls.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QStatusBar>
#include <QStyleOptionGroupBox>
#include <gtest/gtest.h>

using namespace skinbuilder;

namespace {

const QColor Parent(10, 90, 30);
const QColor Face(200, 200, 200);  // the fixture's ButtonFace
const QColor Shadow(17, 107, 157); // the fixture's ButtonShadow
const QColor StatusText(7, 8, 9);  // the fixture's StatusBarEdges NormalColour2
const QColor Caption(90, 20, 160);
constexpr QSize GroupSize(200, 100);

QImage PaintedGroup(const TSkinDescription& skin, const QString& caption, bool checkable = false,
                    bool* painted = nullptr)
{
    QStyleOptionGroupBox option;
    option.rect = QRect(QPoint(0, 0), GroupSize);
    option.state = QStyle::State_Enabled;
    option.text = caption;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (checkable)
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    option.palette.setColor(QPalette::WindowText, Caption);
    return Painted(GroupSize, Parent, [&](QPainter& p) {
        p.setFont(PinnedFont(13).ToQFont());
        const bool done =
            GroupBoxPainter().DrawComplexControl(PaintContext(skin), QStyle::CC_GroupBox, option, p, nullptr);
        if (painted)
            *painted = done;
    });
}

} // namespace

TEST(GroupBoxPainter, RoundedShadowFrameWithTheCaptionOnTheFace)
{
    const TSkinDescription skin = FixtureDescription();
    const QImage image = PaintedGroup(skin, QStringLiteral("Log level"));
    const int top = QFontMetrics(PinnedFont(13).ToQFont()).height() / 2 - 1;
    const int captionWidth = QFontMetrics(PinnedFont(13).ToQFont()).horizontalAdvance("Log level");

    EXPECT_EQ(image.pixelColor(GroupSize.width() - 20, top), Shadow); // the line beside the caption
    EXPECT_EQ(image.pixelColor(1, GroupSize.height() / 2), Shadow);
    EXPECT_EQ(image.pixelColor(GroupSize.width() - 2, GroupSize.height() / 2), Shadow);
    EXPECT_EQ(image.pixelColor(GroupSize.width() / 2, GroupSize.height() - 2), Shadow);
    EXPECT_EQ(image.pixelColor(1, top), Parent); // a rounded corner
    EXPECT_EQ(image.pixelColor(GroupSize.width() / 2, GroupSize.height() / 2), Parent);
    // Under the caption the line gives way to the face.
    const QRect under(8, top, captionWidth, 1);
    EXPECT_EQ(CountPixels(image, Shadow, under), 0);
    EXPECT_GT(CountPixels(image, Face, under), 0);
    EXPECT_GT(CountPixels(image, Caption), 10);
    EXPECT_EQ(image.pixelColor(7, top), Shadow);
}

TEST(GroupBoxPainter, NoCaptionKeepsTheLineWhole)
{
    const QImage image = PaintedGroup(FixtureDescription(), QString());
    const int top = QFontMetrics(PinnedFont(13).ToQFont()).height() / 2 - 1;
    EXPECT_EQ(CountPixels(image, Face), 0);
    EXPECT_EQ(image.pixelColor(20, top), Shadow);
}

TEST(GroupBoxPainter, ATitleCheckBoxKeepsTheBaseStyle)
{
    bool painted = true;
    PaintedGroup(FixtureDescription(), QStringLiteral("Fade"), true, &painted);
    EXPECT_FALSE(painted);
}

TEST(StatusBarPainter, FaceAndTheSkinsTextColourTwoPixelsIn)
{
    struct Case {
        const char* what;
        bool withEdges;
        QColor text;
    };
    HostWindow host;
    QStatusBar bar(&host.Window);
    bar.setSizeGripEnabled(false);
    bar.setFont(PinnedFont(13).ToQFont());
    bar.setGeometry(0, 0, 200, 22);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::WindowText, Caption);
    bar.setPalette(palette);
    bar.showMessage(QStringLiteral("Ready"));
    for (const Case& c :
         {Case{"StatusBarEdges", true, StatusText}, Case{"no StatusBarEdges", false, Caption}}) {
        SCOPED_TRACE(c.what);
        SkinFixture fixture = StandardFixture();
        if (!c.withEdges)
            fixture.DropSection("StatusBarEdges");
        const TSkinDescription skin = FixtureDescription(fixture);
        const QImage image = Painted(bar.size(), Parent, [&](QPainter& p) {
            EXPECT_TRUE(StatusBarPainter().PaintWidget(PaintContext(skin), bar, p));
        });
        EXPECT_EQ(image.pixelColor(0, 0), Face);
        EXPECT_EQ(image.pixelColor(199, 21), Face);
        const QRect ink = InkBounds(image, platform::FromQColor(Face));
        EXPECT_GE(ink.left(), 2);
        EXPECT_LE(ink.left(), 4);
        EXPECT_GT(CountPixels(image, c.text), 10);
    }
}

TEST(StatusBarPainter, SizeGripCornerTakesExtraImagesCellFive)
{
    HostWindow host;
    QStatusBar bar(&host.Window);
    bar.setSizeGripEnabled(true);
    bar.setGeometry(0, 0, 200, 22);
    const TSkinDescription skin = FixtureDescription();
    const QImage image = Painted(bar.size(), Parent, [&](QPainter& p) {
        EXPECT_TRUE(StatusBarPainter().PaintWidget(PaintContext(skin), bar, p));
    });
    const int extraId = ObjectIdOf(StandardFixture(), "extraimages.bmp");
    EXPECT_EQ(qRed(image.pixel(195, 17)) / 6, extraId);
    EXPECT_EQ(qGreen(image.pixel(195, 17)) / 10, 5);
    EXPECT_EQ(image.pixelColor(190, 12), Face); // the 9-pixel cell, no more
}

TEST(GroupPainters, BoundInASkinnedWindow)
{
    SkinnedControl<QGroupBox> window(GroupSize, QStringLiteral("Log level"));
    QGroupBox* group = window.control;
    auto* bar = new QStatusBar(&window);
    bar->setSizeGripEnabled(false);
    bar->setGeometry(10, 150, 200, 22);
    bar->showMessage(QStringLiteral("Ready"));
    window.Skin();

    const QImage shownGroup = group->grab().toImage();
    const int top = QFontMetrics(PinnedFont(13).ToQFont()).height() / 2 - 1;
    EXPECT_EQ(shownGroup.pixelColor(GroupSize.width() - 20, top), Shadow);
    EXPECT_EQ(shownGroup.pixelColor(1, GroupSize.height() / 2), Shadow);
    const int captionWidth = QFontMetrics(PinnedFont(13).ToQFont()).horizontalAdvance("Log level");
    EXPECT_EQ(CountPixels(shownGroup, Shadow, QRect(8, top, captionWidth, 1)), 0);

    const QImage shownBar = bar->grab().toImage();
    EXPECT_EQ(shownBar.pixelColor(0, 0), Face);
    EXPECT_GT(CountPixels(shownBar, StatusText), 10);
    const QRect ink = InkBounds(shownBar, platform::FromQColor(Face));
    EXPECT_GE(ink.left(), 2);
    EXPECT_LE(ink.left(), 4);
}
