// The header and size-grip painters: a bound header's sections through the skin style, its label's
// font, and the size grip.
#include "PainterKit.h"
#include "SkinKit.h"
#include "SkinnedControls.h"
#include "skin/HeaderPainter.h"
#include "skin/SizerPainter.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

TEST(HeaderPainter, TheHotSectionIsCellTwoAndTheAreaPastTheLastSectionCellOne)
{
    SkinnedControls window;
    const QHeaderView* header = window.Add<QTreeWidget>()->header();
    window.Skin();
    const FixtureSkin kit;
    struct Case {
        const char* what;
        QStyle::ControlElement element;
        QStyle::State state;
        int cell;
    };
    const Case cases[] = {
        {"section", QStyle::CE_HeaderSection, QStyle::State_Enabled, 1},
        {"hot section", QStyle::CE_HeaderSection, QStyle::State_Enabled | QStyle::State_MouseOver, 2},
        {"pressed section", QStyle::CE_HeaderSection, QStyle::State_Enabled | QStyle::State_Sunken, 1},
        {"the area past the last section", QStyle::CE_HeaderEmptyArea, QStyle::State_Enabled, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStyleOptionHeader option;
        option.rect = QRect(10, 0, 80, 20);
        option.state = c.state;
        const QImage image = DrawnControl(*header, c.element, option);
        for (const QPoint point : {QPoint(10, 0), QPoint(50, 10), QPoint(89, 19)}) {
            EXPECT_EQ(ObjectAt(image, point), kit.Id("headerbar.bmp"));
            EXPECT_EQ(CellAt(image, point), c.cell);
        }
        EXPECT_EQ(image.pixel(9, 10), CanvasBackground);
    }
}

// The header's own font (here one four times the application's) is not the label's.
TEST(HeaderPainter, TheLabelIsInTheApplicationsFont)
{
    const FixtureSkin kit;
    QStyleOptionHeader option;
    option.rect = QRect(0, 0, 300, 80);
    option.state = QStyle::State_Enabled;
    option.text = "HEM";
    option.textAlignment = Qt::AlignLeft;
    const QImage image = Painted(QSize(300, 80), CanvasBackground, [&](QPainter& p) {
        QFont large = p.font();
        large.setPixelSize(QFontInfo(QApplication::font()).pixelSize() * 4);
        p.setFont(large);
        EXPECT_TRUE(HeaderPainter().DrawControl(kit.Context(), QStyle::CE_HeaderLabel, option, p, nullptr));
    });
    const QColor text = platform::ToQColor(platform::clWindowText);
    EXPECT_GT(CountPixels(image, text), 0);
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        if (CountPixels(image, text, QRect(0, y, 300, 1)) > 0) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    EXPECT_LE(bottom - top + 1, QFontMetrics(QApplication::font()).height());
    // Three pixels in, centred across.
    EXPECT_EQ(CountPixels(image, text, QRect(0, 0, 3, 80)), 0);
    EXPECT_LT(std::abs((top + bottom) / 2 - 40), 4);
}

TEST(HeaderPainter, WithoutAHeaderbarImageTheBaseStylePaints)
{
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("Headerbar");
    const FixtureSkin kit(fixture);
    QStyleOptionHeader option;
    option.rect = QRect(0, 0, 80, 20);
    option.text = "Title";
    QImage image(80, 20, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (const QStyle::ControlElement element :
         {QStyle::CE_HeaderSection, QStyle::CE_HeaderLabel, QStyle::CE_HeaderEmptyArea})
        EXPECT_FALSE(HeaderPainter().DrawControl(kit.Context(), element, option, painter, nullptr));
}

TEST(SizerPainter, TheGripIsCoveredInTheFaceColour)
{
    const FixtureSkin kit;
    QStyleOption option;
    option.rect = QRect(0, 0, 16, 16);
    const QImage image = Painted(QSize(16, 16), CanvasBackground, [&](QPainter& p) {
        EXPECT_TRUE(SizerPainter().DrawControl(kit.Context(), QStyle::CE_SizeGrip, option, p, nullptr));
    });
    EXPECT_EQ(image.pixel(8, 8), FixtureSkin::Colour(kit.skin.Colours.ButtonFace));
    EXPECT_EQ(image.pixel(15, 15), FixtureSkin::Colour(kit.skin.Colours.ButtonFace));
}

} // namespace
