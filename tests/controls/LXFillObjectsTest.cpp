#include "controls/LXFillObjects.h"
#include "controls/LXRegionMask.h"

#include "Drawing.h"
#include "RecordingCanvas.h"
#include "controls/LXErrors.h"
#include "platform_gui/PainterCanvas.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// An 8 x 4 picture in one colour.
TBitmap Picture(TColor color = clRed)
{
    TBitmap bitmap(8, 4);
    bitmap.Canvas().Brush.SetColor(color);
    bitmap.Canvas().FillRect(Rect(0, 0, 8, 4));
    return bitmap;
}

TEST(LXFillObjects, FillPaintsByStyleAndTileModeAndAnswersWhetherItPainted)
{
    struct Case {
        const char* what;
        TLXFillStyle style;
        TLXTileMode tileMode;
        bool picture;
        unsigned options;
        bool answer;
        QStringList calls;
    };
    const TBitmap picture = Picture();
    // The target is 20 x 10 at (10, 20); the picture 8 x 4.
    const Case cases[] = {
        {"none", sfNone, tmTile, true, foFillInner, false, {}},
        {"brush", sfBrush, tmTile, false, foFillInner, true, {"FillRect(10,20,30,30)"}},
        {"brush bitmap", sfBrushBitmap, tmTile, true, 0, true, {"FillRect(10,20,30,30)"}},
        {"empty picture, fill inner", sfBitmap, tmTile, false, foFillInner, false, {"FillRect(10,20,30,30)"}},
        {"empty picture", sfBitmap, tmNone, false, 0, false, {}},
        {"empty list picture", sfBitmapList, tmCenter, false, foFillInner, false, {"FillRect(10,20,30,30)"}},
        {"untiled",
         sfBitmap,
         tmNone,
         true,
         foFillInner,
         true,
         {"FillRect(10,20,30,30)", "CopyRect(10,20,18,24,0,0,8,4,8,4)"}},
        {"untiled, no fill", sfBitmap, tmNone, true, 0, true, {"CopyRect(10,20,18,24,0,0,8,4,8,4)"}},
        {"centred",
         sfBitmap,
         tmCenter,
         true,
         0,
         true,
         {"FillRect(10,20,30,30)", "CopyRect(16,23,24,27,0,0,8,4,8,4)"}},
        {"stretched", sfBitmap, tmStretch, true, foFillInner, true, {"CopyRect(10,20,30,30,0,0,8,4,8,4)"}},
        {"list picture stretched",
         sfBitmapList,
         tmStretch,
         true,
         foFillInner,
         true,
         {"CopyRect(10,20,30,30,0,0,8,4,8,4)"}},
        {"gradient off screen",
         sfGradient,
         tmTile,
         false,
         foGrUseBitmap,
         true,
         {"CopyRect(10,20,30,30,0,0,20,10,20,10)"}},
    };
    for (const Case& c : cases) {
        TLXFillObject fill;
        fill.SetStyle(c.style);
        fill.SetTileMode(c.tileMode);
        fill.SetOptions(c.options);
        if (c.picture) {
            fill.SetBitmap(picture);
            fill.ListBitmap().Assign(picture);
        }
        RecordingCanvas canvas;
        EXPECT_EQ(fill.Fill(canvas, Rect(10, 20, 30, 30), clBlue), c.answer) << c.what;
        EXPECT_EQ(canvas.Lines(), c.calls) << c.what;
        if (c.style == sfBitmap && c.calls.value(0).startsWith("FillRect")) {
            EXPECT_EQ(canvas.Calls.front().BrushColor, clBlue) << c.what;
        }
        EXPECT_TRUE(canvas.Brush.Bitmap().isNull()) << c.what;
    }

    // Tiles: (20 div 8) + 1 columns and (10 div 4) + 1 rows, no background.
    TLXFillObject tiled;
    tiled.SetStyle(sfBitmap);
    tiled.SetBitmap(picture);
    RecordingCanvas canvas;
    EXPECT_TRUE(tiled.Fill(canvas, Rect(10, 20, 30, 30), clBlue));
    EXPECT_EQ(canvas.Lines("CopyRect").size(), 9);
    EXPECT_TRUE(canvas.Lines("FillRect").isEmpty());

    // A gradient painted in place shows its steps as fills.
    TLXFillObject gradient;
    gradient.SetStyle(sfGradient);
    gradient.SetOptions(0);
    gradient.Gradient().SetColorCount(4);
    RecordingCanvas direct;
    EXPECT_TRUE(gradient.Fill(direct, Rect(0, 0, 8, 8), clBlue));
    EXPECT_TRUE(direct.Lines("CopyRect").isEmpty());
    EXPECT_EQ(direct.Lines("FillRect").size(), 4);
}

TEST(LXFillObjects, BrushFillsPaintThePatternAndHatchesOverTheGivenColour)
{
    // Forward hatches fall to the right ("\"), backward ones rise ("/").
    struct Case {
        TBrushStyle style;
        TPoint brushAt;
        TPoint backgroundAt;
    };
    const Case cases[] = {
        {TBrushStyle::bsFDiagonal, {2, 2}, {5, 2}},
        {TBrushStyle::bsBDiagonal, {5, 2}, {2, 2}},
    };
    for (const Case& c : cases) {
        QImage image = BlankImage(8, 8, clBlack);
        TPainterCanvas canvas(&image);
        TLXFillObject fill;
        fill.SetStyle(sfBrush);
        TBrush brush;
        brush.SetColor(clRed);
        brush.SetStyle(c.style);
        fill.SetBrush(brush);
        EXPECT_TRUE(fill.Fill(canvas, Rect(0, 0, 8, 8), clLime));
        EXPECT_EQ(Probe(image, c.brushAt.X, c.brushAt.Y), clRed) << static_cast<int>(c.style);
        EXPECT_EQ(Probe(image, c.backgroundAt.X, c.backgroundAt.Y), clLime) << static_cast<int>(c.style);
    }

    // The whole picture is the pattern, not only its top-left 8 x 8.
    TBitmap pattern(16, 4);
    pattern.Canvas().Brush.SetColor(clRed);
    pattern.Canvas().FillRect(Rect(0, 0, 8, 4));
    pattern.Canvas().Brush.SetColor(clBlue);
    pattern.Canvas().FillRect(Rect(8, 0, 16, 4));
    QImage image = BlankImage(32, 8, clBlack);
    TPainterCanvas canvas(&image);
    TLXFillObject fill;
    fill.SetStyle(sfBrushBitmap);
    fill.SetBitmap(pattern);
    EXPECT_TRUE(fill.Fill(canvas, Rect(0, 0, 32, 8), clLime));
    EXPECT_EQ(Probe(image, 2, 6), clRed);
    EXPECT_EQ(Probe(image, 12, 6), clBlue);
    EXPECT_EQ(Probe(image, 18, 2), clRed);
}

TEST(LXFillObjects, PlacementNotifiesOnlyForAnUntiledPicture)
{
    TLXFillObject fill;
    int notices = 0;
    fill.OnChange = [&](TLXObject*) { ++notices; };
    fill.SetAlignment(agCenter);
    fill.SetOffsetX(3);
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(fill.OffsetX(), 3);
    fill.SetStyle(sfBitmap);
    fill.SetTileMode(tmNone);
    notices = 0;
    fill.SetOffsetY(4);
    fill.SetAlignment(agTopRight);
    EXPECT_EQ(notices, 2);
    fill.SetBitmap(Picture());
    EXPECT_EQ(notices, 3);

    TLXFillObject copy;
    int copyNotices = 0;
    copy.OnChange = [&](TLXObject*) { ++copyNotices; };
    copy.Assign(fill);
    EXPECT_EQ(copyNotices, 1);
    EXPECT_EQ(copy.Style(), sfBitmap);
    EXPECT_EQ(copy.TileMode(), tmNone);
    EXPECT_EQ(copy.Bitmap().Width(), 8);
}

TEST(LXFillObjects, AlphaAndEffectObjectsStayInert)
{
    TLXAlphaObject alpha;
    int alphaNotices = 0;
    alpha.OnChange = [&](TLXObject*) { ++alphaNotices; };
    EXPECT_FALSE(alpha.IsActive());
    EXPECT_DOUBLE_EQ(alpha.Strength(), 0.6);
    alpha.SetStrength(0.8);
    EXPECT_EQ(alpha.Strength(), 0);
    EXPECT_EQ(alphaNotices, 1);
    alpha.SetStrength(0.8);
    EXPECT_EQ(alphaNotices, 1);
    alpha.SetImageIndex(5);
    alpha.SetListIndex(2);
    EXPECT_EQ(alpha.ImageIndex(), 0);
    EXPECT_EQ(alpha.ListIndex(), 0);
    EXPECT_EQ(alpha.ImageList(), nullptr);

    TLXBitmapEffectObject effect;
    int effectNotices = 0;
    effect.OnChange = [&](TLXObject*) { ++effectNotices; };
    EXPECT_FALSE(effect.IsActive());
    effect.SetGrayScale(true);
    effect.SetFlipVertical(true);
    effect.SetFlipHorizontal(true);
    effect.SetInvert(true);
    effect.SetBuffered(true);
    effect.SetBrightness(5);
    EXPECT_FALSE(effect.GrayScale() || effect.FlipVertical() || effect.FlipHorizontal() || effect.Invert() ||
                 effect.Buffered());
    EXPECT_EQ(effect.Brightness(), 0);
    EXPECT_EQ(effectNotices, 0);

    // Nothing calls it while inactive, but with nothing set it copies the area.
    TBitmap source(6, 6);
    source.Canvas().Brush.SetColor(clRed);
    source.Canvas().FillRect(Rect(0, 0, 6, 6));
    source.Canvas().Brush.SetColor(clBlue);
    source.Canvas().FillRect(Rect(2, 2, 6, 6));
    TBitmap target;
    effect.Apply(source, Rect(2, 2, 5, 4), Rect(0, 0, 3, 2), target);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_EQ(Probe(target.Image(), 0, 0), clBlue);
}

TEST(LXFillObjects, InspectorTexts)
{
    TLXFillObject fill;
    const std::pair<TLXFillStyle, const char*> fills[] = {
        {sfNone, "{Disabled}"}, {sfBrushBitmap, "{}"},          {sfBrush, "{Brush}"},
        {sfBitmap, "{Bitmap}"}, {sfBitmapList, "{BitmapList}"}, {sfGradient, "{Gradient}"}};
    for (const auto& [style, text] : fills) {
        fill.SetStyle(style);
        EXPECT_EQ(fill.GetInspectorText(), text);
    }

    TLXAlphaObject alpha;
    EXPECT_EQ(alpha.GetInspectorText(), "{Disabled}");
    alpha.FillObject().SetStyle(sfBitmapList);
    EXPECT_EQ(alpha.GetInspectorText(), "{Enabled (bmp), strength: 0.600}");
    alpha.FillObject().SetStyle(sfBrushBitmap);
    EXPECT_EQ(alpha.GetInspectorText(), "{Enabled (), strength: 0.600}");

    TLXBitmapEffectObject effect;
    EXPECT_EQ(effect.GetInspectorText(), "{Disabled}");
    effect.AlphaBlend().FillObject().SetStyle(sfGradient);
    EXPECT_EQ(effect.GetInspectorText(), "{alpha}");

    TLXShadow shadow;
    EXPECT_EQ(shadow.GetInspectorText(), "{solid, 6}");
    shadow.SetStyle(hssTracing);
    shadow.SetDepth(50);
    EXPECT_EQ(shadow.GetInspectorText(), "{tracing, 40}");
    TLXRgnShadow region;
    EXPECT_EQ(region.GetInspectorText(), "{Disabled}");
    int notices = 0;
    region.OnChange = [&](TLXObject*) { ++notices; };
    region.Assign(shadow);
    EXPECT_EQ(region.Style(), hssTracing);
    EXPECT_EQ(notices, 1);
}

TEST(LXRegionMask, PointsKeepANegativeYButNotANegativeX)
{
    TLXPointList points;
    int notices = 0;
    points.OnChange = [&](TLXPointList*) { ++notices; };
    points.AddPoint({5, -1});
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(points.Point(0), (TPoint{5, -1}));
    points.AddPoint({-1, 7});
    EXPECT_EQ(points.Point(1), (TPoint{65535, 7}));
    points.BeginUpdate();
    points.SetPoint(1, {70000, 3});
    points.EndUpdate();
    EXPECT_EQ(notices, 4);
    EXPECT_EQ(points.Point(1), (TPoint{70000 - 65536, 3}));
    EXPECT_FALSE(points.Point(2));
}

TEST(LXRegionMask, RegionDataRoundTripsAndCorruptDataIsRefused)
{
    QRegion region(QRect(0, 0, 10, 4));
    region += QRect(0, 4, 3, 6);
    const QByteArray data = RegionToData(region);
    ASSERT_EQ(data.size(), 32 + 2 * 16);
    EXPECT_EQ(data.left(8), QByteArray("\x20\0\0\0\x01\0\0\0", 8));
    EXPECT_EQ(data.mid(8, 8), QByteArray("\x02\0\0\0\x20\0\0\0", 8));
    EXPECT_EQ(data.mid(16, 16), QByteArray("\0\0\0\0\0\0\0\0\x0a\0\0\0\x0a\0\0\0", 16));
    EXPECT_EQ(RegionFromData(data), region);
    EXPECT_EQ(RegionFromData(RegionToData(QRegion())), QRegion());

    QByteArray tooMany = data;
    tooMany[8] = 3;
    QByteArray notRects = data;
    notRects[4] = 2;
    QByteArray badHeader = data;
    badHeader[0] = 40;
    QByteArray negativeCount = data;
    negativeCount[11] = char(0xFF);
    for (const QByteArray& bad : {tooMany, notRects, badHeader, negativeCount, data.left(31), data.left(40)})
        EXPECT_FALSE(RegionFromData(bad)) << bad.toHex().toStdString();

    TLXRegionMask mask;
    EXPECT_TRUE(mask.WriteProperties().isEmpty());
    mask.SetRegionDataSize(4096);
    mask.ReadProperty("RegionData", data);
    EXPECT_EQ(mask.RegionDataSize(), data.size());
    EXPECT_THROW(mask.ReadProperty("RegionData", tooMany), EReadError);
    EXPECT_EQ(mask.RegionData(), data);
    mask.SetRegionDataSize(0);
    EXPECT_TRUE(mask.WriteProperties().isEmpty()) << "size 0 writes no region data";
}

TEST(LXRegionMask, BorderBitmapsStreamAndCopyOnlyWithRegionData)
{
    TLXRegionMask mask;
    mask.BorderUpBitmap().Assign(Picture(clRed));
    mask.SetCompressed(true);
    TLXRegionMask withoutRegion;
    withoutRegion.Assign(mask);
    EXPECT_TRUE(withoutRegion.BorderUpBitmap().Empty());

    ASSERT_TRUE(mask.SetRegionData(RegionToData(QRegion(0, 0, 8, 4))));
    const auto properties = mask.WriteProperties();
    ASSERT_EQ(properties.size(), 2);
    EXPECT_EQ(properties[0].first, "RegionData");
    EXPECT_EQ(properties[1].first, "BorderUpBmp");

    TLXRegionMask read;
    for (const auto& [name, bytes] : properties)
        read.ReadProperty(name, bytes);
    EXPECT_TRUE(read.Compressed());
    EXPECT_EQ(read.RegionData(), mask.RegionData());
    ASSERT_EQ(read.BorderUpBitmap().Width(), 8);
    EXPECT_EQ(Probe(read.BorderUpBitmap().Image(), 3, 2), clRed);
    EXPECT_TRUE(read.BorderBitmap().Empty());

    TLXRegionMask copy;
    copy.Assign(mask);
    EXPECT_EQ(copy.RegionDataSize(), mask.RegionDataSize());
    EXPECT_EQ(copy.BorderUpBitmap().Width(), 8);
}

} // namespace
