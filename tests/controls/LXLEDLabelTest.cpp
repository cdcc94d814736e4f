#include "controls/LXLEDLabel.h"
#include "Drawing.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

constexpr TColor Lit = 0x00FF00, Unlit = 0x008000, Red = 0x0000FF;

// One interior pixel of each segment of a cell with H 9, V 7, T 2, worked out from the segment
// rules by hand; no other segment covers it.
const QPoint SegmentProbes[LedSegmentCount] = {
    {11, 3}, {3, 8}, {16, 8}, {11, 14}, {3, 19},  {16, 19}, {11, 25}, {9, 8},
    {9, 19}, {6, 9}, {11, 9}, {6, 18},  {11, 18}, {7, 12},  {7, 1},   {7, 23},
};

int CountColour(const QImage& image, TColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += Probe(image, x, y) == colour;
    return count;
}

TEST(LXLEDLabelTest, SegmentsOfEachCharacter)
{
    const struct {
        QChar character;
        std::vector<int> lit;
    } rows[] = {
        {'8', {0, 1, 2, 3, 4, 5, 6}}, {'0', {0, 1, 2, 4, 5, 6, 9, 12}},
        {'K', {1, 3, 4, 10, 12}},     {':', {13, 15}},
        {'X', {9, 10, 11, 12}},       {' ', {}},
    };
    TLXLED led;
    for (const auto& row : rows) {
        QImage image = BlankImage(19, 28, clBlack).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        led.DrawText(image, true, QString(row.character));
        for (int segment = 0; segment < LedSegmentCount; ++segment) {
            const QPoint p = SegmentProbes[segment];
            const bool lit = std::find(row.lit.begin(), row.lit.end(), segment) != row.lit.end();
            const TColor expected = lit ? Lit : (p.x() + p.y()) % 2 != 0 ? clBlack : Unlit;
            EXPECT_EQ(Probe(image, p.x(), p.y()), expected)
                << "'" << row.character.toLatin1() << "' segment " << segment;
        }
    }
}

TEST(LXLEDLabelTest, SmallCellsLightTheOuterSegmentsOnly)
{
    TLXLED led;
    led.SetVertsize(3);
    QImage image = BlankImage(40, 40, clBlack).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    led.DrawText(image, true, "X*");
    EXPECT_EQ(CountColour(image, Lit), 0) << "no diagonals or centre bars with Vertsize 3";
    led.DrawText(image, true, "K");
    EXPECT_GT(CountColour(image, Lit), 0);

    led.SetVertsize(4);
    led.SetHorzsize(4);
    led.SetThickness(1); // with 2, half of 4 less the thickness leaves the diagonals no width
    image.fill(Qt::black);
    led.DrawText(image, true, "X");
    EXPECT_GT(CountColour(image, Lit), 0) << "diagonals from 4 x 4 on";
}

TEST(LXLEDLabelTest, PolygonsRoundHalvesToEven)
{
    TLXLedGeometry thin{9, 7, 1};
    // round(-0.5) is 0: the diagonal's corners fall together.
    EXPECT_EQ(thin.SegmentPolygon(9), (std::vector<TPoint>{{6, 9}, {6, 9}, {3, 3}, {3, 3}, {3, 3}, {6, 9}}));
    EXPECT_EQ(thin.SegmentPolygon(10).front(), (TPoint{8, 9})) << "round(1.5) is 2";
    TLXLedGeometry thick{9, 7, 3};
    // round(4.5) is 4, round(+-1.5) is +-2.
    EXPECT_EQ(thick.SegmentPolygon(10),
              (std::vector<TPoint>{{14, 13}, {16, 13}, {15, 11}, {15, 9}, {13, 9}, {14, 11}}));
    EXPECT_TRUE((TLXLedGeometry{4, 4, 2}.SegmentPolygon(9).empty())) << "no diagonal of width 0";
}

TEST(LXLEDLabelTest, ShownNumbers)
{
    const struct {
        int value, digits;
        const char* shown;
    } rows[] = {
        {5, 3, "005"},    {1234, 3, "---"}, {-5, 3, "-05"}, {-12, 3, "-12"},
        {-123, 3, "---"}, {0, 2, "00"},     {42, 2, "42"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LedNumberText(row.value, row.digits), row.shown) << row.value << "/" << row.digits;

    TLXLEDLabel label;
    label.SetStyle(lsInteger);
    label.SetDigits(0);
    EXPECT_EQ(label.Digits(), 2) << "0 is refused";
    label.SetValue(7);
    EXPECT_EQ(label.ShownText(), "07");
}

TEST(LXLEDLabelTest, AutoSizeTakesTheTextExtent)
{
    const struct {
        int h, v, t;
        bool bevel;
        const char* text;
        QSize size;
    } rows[] = {
        {4, 8, 2, true, "12:34:56", {117, 34}},
        {4, 4, 1, false, "ABCDE", {46, 15}},
        {9, 7, 2, false, "AB\rC", {39, 56}},
        {9, 7, 2, false, "\x01\x02", {1, 28}},
    };
    for (const auto& row : rows) {
        TLXLEDLabel label;
        label.LED().SetHorzsize(row.h);
        label.LED().SetVertsize(row.v);
        label.LED().SetThickness(row.t);
        if (row.bevel) {
            label.Bevel().SetStyleOuter(bvNormal);
            label.Bevel().SetStyleInner(bvNormal);
        }
        label.SetCaption(row.text);
        label.SetAutoSize(true);
        EXPECT_EQ(label.size(), row.size) << row.text;
        EXPECT_EQ(label.sizeHint(), row.size) << row.text;
    }
}

struct LEDOnHost : ::testing::Test {
    explicit LEDOnHost()
    {
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, ToQColor(Red));
        host.setPalette(palette);
        host.setAutoFillBackground(true);
        host.resize(80, 40);
        label = new TLXLEDLabel(&host);
        label->SetAutoSize(true);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    QImage Grab()
    {
        QCoreApplication::processEvents();
        return host.grab(label->geometry()).toImage();
    }
    QWidget host;
    TLXLEDLabel* label = nullptr;
};

TEST_F(LEDOnHost, LowerCaseAndDisabled)
{
    label->SetCaption("k");
    const QImage lower = Grab();
    label->SetCaption("K");
    EXPECT_EQ(Grab(), lower);
    EXPECT_GT(CountColour(lower, Lit), 0);
    label->setEnabled(false);
    EXPECT_EQ(CountColour(Grab(), Lit), 0);
    label->LED().SetDisabledDigits(false);
    EXPECT_GT(CountColour(Grab(), Lit), 0);
}

TEST_F(LEDOnHost, TransparentShowsTheHostThroughTheBackground)
{
    label->SetCaption("1");
    QImage image = Grab();
    EXPECT_EQ(Probe(image, 0, 0), clBlack);
    label->SetTransparent(true);
    image = Grab();
    EXPECT_EQ(Probe(image, 0, 0), Red);
    EXPECT_EQ(Probe(image, 9, 8), Lit) << "segment 7";
    EXPECT_EQ(Probe(image, 9, 3), Unlit) << "segment 0, even parity";
    EXPECT_EQ(Probe(image, 10, 3), Red) << "segment 0, the background half of the checker";
}

} // namespace
