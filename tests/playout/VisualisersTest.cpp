// The spectrum, oscilloscope and circle displays drawn into offscreen pictures, with the channel's
// settings, checked pixel by pixel.
#include "playout/ChannelVisualiser.h"
#include "playout/CircleScope.h"
#include "playout/FrequencyBars.h"
#include "playout/OcilloScope.h"
#include "playout/VisualBox.h"

#include "Drawing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

constexpr TColor Green = 0x008000;
constexpr TColor Red = 0x0000FF;

// Interleaved stereo frames, every one the same.
std::vector<int16_t> Frames(int count, int16_t left, int16_t right)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < count; ++i) {
        samples.push_back(left);
        samples.push_back(right);
    }
    return samples;
}

// The rows of column x that are not black, top to bottom.
std::vector<int> InkRows(const QImage& image, int x)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (Probe(image, x, y) != clBlack)
            rows.push_back(y);
    return rows;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> values;
    for (int v = first; v <= last; ++v)
        values.push_back(v);
    return values;
}

} // namespace

TEST(SpectrumTest, HalfScaleFillsTheBarToItsHighestAndTheBoxShowsTheFrame)
{
    TVisualBox box;
    box.resize(40, 100);
    TSpectrum spectrum(40, 100);
    SetChannelSpectrum(spectrum);
    std::vector<float> fft(512, 0.0f);
    fft[0] = 0.5f;
    spectrum.Draw(box, fft, 0, 0);

    EXPECT_EQ(spectrum.Bars[0], 80);
    EXPECT_EQ(spectrum.Peaks[0], 80);
    EXPECT_EQ(InkRows(spectrum.Bitmap(), 0), Range(20, 99));
    EXPECT_EQ(Probe(spectrum.Bitmap(), 2, 20), Green); // the bar covers the peak line at its own height
    EXPECT_EQ(box.Frame(), spectrum.Bitmap());
    EXPECT_EQ(Probe(box.grab().toImage(), 4, 99), Green);
}

TEST(SpectrumTest, BarsAndPeaksFallAtTheirOwnPaceAndStopAtZero)
{
    TVisualBox box;
    TSpectrum spectrum(800, 100);
    SetChannelSpectrum(spectrum);
    spectrum.Draw(box, std::vector<float>(512, 1.0f), 0, 0);
    const std::vector<float> silence(512, 0.0f);
    for (int frame = 0; frame <= 90; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(spectrum.Bars[7], std::max(80 - 3 * frame, 0));
        EXPECT_EQ(spectrum.Peaks[7], std::max(80 - frame, 0));
        spectrum.Draw(box, silence, 0, 0);
    }
}

// Two frames after a full-scale one: bars at 74, peak marks at 78, red over green, each band five
// pixels wide with one black column between bands.
TEST(SpectrumTest, BarModeDrawsFiveColumnBarsUnderFivePixelPeakLines)
{
    TVisualBox box;
    TSpectrum spectrum(800, 100);
    SetChannelSpectrum(spectrum);
    spectrum.Draw(box, std::vector<float>(512, 1.0f), 0, 0);
    spectrum.Draw(box, {}, 0, 0);
    spectrum.Draw(box, {}, 0, 0);
    const QImage& picture = spectrum.Bitmap();

    struct Case {
        int x, y;
        TColor color;
    };
    const Case cases[] = {
        {0, 22, Red},     {4, 22, Red},     {5, 22, clBlack},   {6, 22, Red},       {10, 22, Red},
        {0, 21, clBlack}, {0, 23, clBlack}, {0, 25, clBlack},   {0, 26, Green},     {4, 26, Green},
        {5, 26, clBlack}, {6, 26, Green},   {0, 99, Green},     {4, 99, Green},     {5, 99, clBlack},
        {768, 99, Green}, {772, 99, Green}, {773, 99, clBlack}, {774, 99, clBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Probe(picture, c.x, c.y), c.color) << c.x << "," << c.y;
}

// Lines mode: one column per band, the line stops short of its end pixel, the peak mark in the bar's
// colour.
TEST(SpectrumTest, LineModeDrawsPeaksInTheBarColour)
{
    TVisualBox box;
    TSpectrum spectrum(200, 100);
    SetChannelSpectrum(spectrum);
    spectrum.DrawMode = 0;
    spectrum.Draw(box, std::vector<float>(512, 1.0f), 0, 0);
    EXPECT_EQ(InkRows(spectrum.Bitmap(), 3), Range(20, 99));
    spectrum.Draw(box, {}, 0, 0);
    std::vector<int> expected{21};
    for (int row : Range(24, 99))
        expected.push_back(row);
    EXPECT_EQ(InkRows(spectrum.Bitmap(), 3), expected);
    EXPECT_EQ(Probe(spectrum.Bitmap(), 3, 21), Green);
    EXPECT_EQ(InkRows(spectrum.Bitmap(), 129), std::vector<int>{});
}

// A step above 3 reaches past the 512 values for the last bands: they read zero.
TEST(SpectrumTest, BandsBeyondTheDataReadZero)
{
    TVisualBox box;
    TSpectrum spectrum(800, 100);
    SetChannelSpectrum(spectrum);
    spectrum.Step = 4;
    spectrum.Draw(box, std::vector<float>(512, 1.0f), 0, 0);
    EXPECT_EQ(spectrum.Bars[127], 80);
    EXPECT_EQ(spectrum.Bars[128], 0);

    spectrum.Step = 1;
    spectrum.Draw(box, std::vector<float>(3, 1.0f), 0, 0); // a short fetch
    EXPECT_EQ(spectrum.Bars[2], 80);
    EXPECT_EQ(spectrum.Bars[3], 77);
}

TEST(OcilloScopeTest, TheSumOfBothChannelsSetsTheHeightAndPositiveIsBelowTheBaseline)
{
    struct Case {
        int16_t left, right;
        int row;
    };
    const Case cases[] = {
        {0, 0, 30},           // silence: on the baseline
        {16384, 16384, 42},   // 32768 / 131070 * 50 = 12.5
        {-16384, -16384, 18}, // negative sums above
        {32767, -32768, 30},  // cancelling channels
        {32767, 32767, 54},   // full scale: 24.99
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        TVisualBox box;
        TOcilloScope scope(300, 60);
        scope.Step = 2;
        scope.PenColor = Green;
        scope.Draw(box, Frames(512, c.left, c.right), 30, 0);
        for (int x : {0, 100, 254})
            EXPECT_EQ(InkRows(scope.Bitmap(), x), std::vector<int>{c.row}) << x;
        EXPECT_EQ(Probe(scope.Bitmap(), 100, c.row), Green);
    }
}

// 257 points at step 2 read frame 512 of the 512 fetched: it reads as silence, as does data that
// ends early or never came.
TEST(OcilloScopeTest, FramesBeyondTheDataAreSilence)
{
    struct Case {
        int frames;
        int lastLoudPoint; // -1: none
    };
    const Case cases[] = {{512, 255}, {100, 49}, {0, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames);
        TVisualBox box;
        TOcilloScope scope(300, 60);
        scope.Step = 2;
        scope.DrawMode = 2;
        scope.Draw(box, Frames(c.frames, 16384, 16384), 30, 0);
        for (int s = 1; s < TOcilloScope::Points; ++s)
            EXPECT_EQ(InkRows(scope.Bitmap(), s), std::vector<int>{s <= c.lastLoudPoint ? 42 : 30}) << s;
    }
}

TEST(OcilloScopeTest, DrawModesAndTheEndPixelRule)
{
    struct Case {
        int mode;
        std::vector<int> column; // the rows of column 10
        std::vector<int> last;   // the rows of column 256, where the line ends
    };
    const Case cases[] = {
        {0, {42}, {}},
        {1, Range(30, 41), Range(30, 41)},
        {2, {42}, {42}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TVisualBox box;
        TOcilloScope scope(300, 60);
        scope.DrawMode = c.mode;
        scope.Draw(box, Frames(257, 16384, 16384), 30, 0);
        EXPECT_EQ(InkRows(scope.Bitmap(), 10), c.column);
        EXPECT_EQ(InkRows(scope.Bitmap(), 256), c.last);
        EXPECT_EQ(InkRows(scope.Bitmap(), 0), c.mode == 0 ? std::vector<int>{42} : std::vector<int>{});
    }
}

TEST(CircleScopeTest, ASilentFrameIsACircleOfTheRadius)
{
    TVisualBox box;
    TCircleScope circle(100, 80);
    circle.Radius = 20;
    circle.Step = 2;
    circle.Scale = 50;
    circle.PenColor = Green;
    circle.Draw(box, {}, 40, 50);
    const QImage& picture = circle.Bitmap();
    // Points are truncated toward the centre: a quarter turn lands 19 pixels out.
    for (const QPoint& on : {QPoint(50, 60), QPoint(50, 59), QPoint(69, 40), QPoint(50, 21), QPoint(31, 40)})
        EXPECT_EQ(Probe(picture, on.x(), on.y()), Green) << on.x() << "," << on.y();
    for (const QPoint& off : {QPoint(50, 40), QPoint(50, 61), QPoint(70, 40), QPoint(50, 20), QPoint(30, 40)})
        EXPECT_EQ(Probe(picture, off.x(), off.y()), clBlack) << off.x() << "," << off.y();
}

TEST(CircleScopeTest, LoudFramesWidenTheCircleAndSpokesLeaveOutTheirEnds)
{
    TVisualBox box;
    TCircleScope circle(100, 100);
    circle.Radius = 20;
    circle.Scale = 50;
    circle.Draw(box, Frames(512, 16384, 16384), 50, 50); // radius 20 + 12
    EXPECT_EQ(InkRows(circle.Bitmap(), 50), (std::vector<int>{19, 81, 82}));

    circle.DrawMode = 1;
    circle.Draw(box, Frames(512, 16384, 16384), 50, 50);
    // Spokes straight down and straight up, each short of its end; the first point itself is only
    // the closing line's end.
    EXPECT_EQ(InkRows(circle.Bitmap(), 50), Range(20, 80));
}

TEST(VisualiserTest, BackgroundFillAndPictureFollowTheirSwitches)
{
    struct Case {
        bool clearBack, drawBackBitmap;
        TColor background; // where nothing is drawn on the second frame
    };
    const Case cases[] = {
        {true, false, Red},
        {true, true, clGreen},
        {false, true, clGreen},
        {false, false, clWhite}, // the first frame's fill stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clearBack << c.drawBackBitmap);
        TVisualBox box;
        TSpectrum spectrum(50, 20);
        TOcilloScope scope(300, 20);
        TCircleScope circle(50, 50);
        for (TVisualiser* visualiser : std::initializer_list<TVisualiser*>{&spectrum, &scope, &circle}) {
            visualiser->BackBitmap().fill(ToQColor(clGreen));
            visualiser->BackColor = clWhite;
        }
        spectrum.Draw(box, {}, 0, 0);
        scope.Draw(box, {}, 0, 0);
        circle.Draw(box, {}, 0, 0);
        for (TVisualiser* visualiser : std::initializer_list<TVisualiser*>{&spectrum, &scope, &circle}) {
            visualiser->BackColor = Red;
            visualiser->ClearBack = c.clearBack;
            visualiser->DrawBackBitmap = c.drawBackBitmap;
        }
        spectrum.Draw(box, {}, 0, 0);
        scope.Draw(box, {}, 10, 0);
        circle.Draw(box, {}, 25, 25);
        EXPECT_EQ(Probe(spectrum.Bitmap(), 49, 0), c.background);
        EXPECT_EQ(Probe(scope.Bitmap(), 299, 0), c.background);
        EXPECT_EQ(Probe(circle.Bitmap(), 49, 0), c.background);
    }
}

TEST(VisualiserTest, ANewSizeKeepsTheFallingMarksAndASizeOfZeroDrawsNothing)
{
    TVisualBox box;
    TSpectrum spectrum(100, 100);
    SetChannelSpectrum(spectrum);
    spectrum.Draw(box, std::vector<float>(512, 1.0f), 0, 0);
    spectrum.SetSize(300, 50);
    EXPECT_EQ(spectrum.Bitmap().size(), QSize(300, 50));
    EXPECT_EQ(spectrum.BackBitmap().size(), QSize(300, 50));
    spectrum.Draw(box, {}, 0, 0);
    EXPECT_EQ(spectrum.Bars[0], 77);
    EXPECT_EQ(box.Frame().size(), QSize(300, 50));

    spectrum.SetSize(0, 50);
    TCircleScope circle(0, 0);
    TOcilloScope scope(10, 0);
    TVisualBox untouched;
    spectrum.Draw(untouched, {}, 0, 0);
    circle.Draw(untouched, {}, 0, 0);
    scope.Draw(untouched, {}, 0, 0);
    EXPECT_TRUE(untouched.Frame().isNull());
    EXPECT_EQ(spectrum.Bars[0], 77);
}

// The box holds a copy: a frame drawn for another target leaves what it shows alone.
TEST(VisualBoxTest, ShowsTheLastFrameHandedToItAndClearsToBlack)
{
    HostWindow host;
    TVisualBox box(&host.Window);
    box.setGeometry(0, 0, 120, 40);
    TVisualBox other;
    TOcilloScope scope(100, 40);
    scope.Draw(box, Frames(512, 16384, 16384), 10, 0);
    scope.Draw(other, {}, 10, 0);
    const QImage shown = box.grab().toImage();
    EXPECT_EQ(Probe(shown, 50, 22), clWhite);
    EXPECT_EQ(Probe(shown, 50, 10), clBlack);
    EXPECT_EQ(Probe(shown, 110, 22), clBlack); // beyond the frame

    scope.Draw(box, {}, 10, 0);
    EXPECT_EQ(Probe(box.grab().toImage(), 50, 22), clBlack);
    EXPECT_EQ(Probe(box.grab().toImage(), 50, 10), clWhite);

    box.Clear();
    EXPECT_TRUE(box.Frame().isNull());
    EXPECT_EQ(InkBounds(box.grab().toImage(), clBlack), QRect());
}
