#include "controls/LXBitmapDraw.h"
#include "Drawing.h"
#include "RecordingCanvas.h"
#include "platform_gui/PainterCanvas.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(LXBitmapDraw, PlaceBitmapPlacements)
{
    const TBitmap source(4, 3);
    const TRect whole = Rect(0, 0, 4, 3);
    struct Case {
        const char* name;
        TRect target;
        unsigned flags;
        QStringList calls;
        TRect painted;
    };
    const Case cases[] = {
        {"plain", Rect(10, 10, 20, 20), 0, {"CopyRect(10,10,14,13,0,0,4,3,4,3)"}, Rect(10, 10, 14, 13)},
        {"centred",
         Rect(10, 10, 17, 12),
         pbCenter,
         {"CopyRect(11,10,15,13,0,0,4,3,4,3)"},
         Rect(11, 10, 15, 13)},
        {"stretched", Rect(0, 0, 8, 8), pbStretch, {"CopyRect(0,0,8,8,0,0,4,3,4,3)"}, Rect(0, 0, 8, 8)},
        {"by width",
         Rect(0, 0, 10, 20),
         pbStretch | pbAspectWidth,
         {"CopyRect(0,0,10,8,0,0,4,3,4,3)"},
         Rect(0, 0, 10, 8)},
        {"by height",
         Rect(0, 0, 20, 9),
         pbStretch | pbAspectHeight,
         {"CopyRect(0,0,12,9,0,0,4,3,4,3)"},
         Rect(0, 0, 12, 9)},
        {"fitted",
         Rect(0, 0, 10, 9),
         pbStretch | pbAspectWidth | pbAspectHeight,
         {"CopyRect(0,0,10,7,0,0,4,3,4,3)"},
         Rect(0, 0, 10, 7)},
        {"tiled",
         Rect(0, 0, 8, 5),
         pbTile | pbClip,
         {"SetClipRect(0,0,8,5)", "CopyRect(0,0,4,3,0,0,4,3,4,3)", "CopyRect(4,0,8,3,0,0,4,3,4,3)",
          "CopyRect(8,0,12,3,0,0,4,3,4,3)", "CopyRect(0,3,4,6,0,0,4,3,4,3)", "CopyRect(4,3,8,6,0,0,4,3,4,3)",
          "CopyRect(8,3,12,6,0,0,4,3,4,3)", "RemoveClip()"},
         Rect(0, 0, 12, 6)},
        {"transparent",
         Rect(0, 0, 8, 8),
         pbTransparent,
         {"CopyTransparent(0,0,4,3,0,0,4,3,4,3,255)"},
         Rect(0, 0, 4, 3)},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        TRect painted;
        PlaceBitmap(canvas, c.target, source, painted, nullptr, 0x0000FF, c.flags, whole);
        EXPECT_EQ(canvas.Lines(), c.calls) << c.name;
        EXPECT_EQ(painted, c.painted) << c.name;
    }

    // An empty source area paints nothing, whatever the flags.
    for (unsigned flags :
         {0u, pbTile, pbStretch | pbAspectWidth, pbStretch | pbAspectWidth | pbAspectHeight}) {
        RecordingCanvas canvas;
        TRect painted = Rect(1, 1, 2, 2);
        PlaceBitmap(canvas, Rect(0, 0, 10, 10), source, painted, nullptr, 0, flags, Rect(0, 0, 0, 3));
        EXPECT_TRUE(canvas.Calls.empty()) << flags;
        EXPECT_TRUE(painted.IsEmpty()) << flags;
    }
}

TEST(LXBitmapDraw, PlaceBitmapBrushCopyPaintsTheKeyInTheBrush)
{
    TBitmap source(2, 1);
    source.Canvas().SetPixel(0, 0, 0x00FF00);
    source.Canvas().SetPixel(1, 0, 0x0000FF);
    source.SetTransparentColor(0x00FF00);
    QImage image = BlankImage(4, 4);
    TPainterCanvas canvas(&image);
    canvas.Brush.SetColor(0xFF0000);
    TRect painted;
    PlaceBitmap(canvas, Rect(1, 1, 4, 4), source, painted, nullptr, 0, pbBrushCopy, Rect(0, 0, 2, 1));
    EXPECT_EQ(Probe(image, 1, 1), 0xFF0000);
    EXPECT_EQ(Probe(image, 2, 1), 0x0000FF);
    EXPECT_EQ(Probe(image, 3, 1), clWhite);
}

TEST(LXBitmapDraw, BitmapDrawingVariants)
{
    TBitmap bitmap(4, 3);
    // Clipped: the clip is the target moved by the packed offset, and placing does not clip again.
    RecordingCanvas clipped;
    DrawBitmapClipped(clipped, Rect(10, 10, 20, 20), bitmap, nullptr, 0, (2 << 16) | 0xFFFF, pbClip,
                      Rect(0, 0, 4, 3));
    EXPECT_EQ(clipped.Lines(),
              QStringList({"SetClipRect(9,12,19,22)", "CopyRect(10,10,14,13,0,0,4,3,4,3)", "RemoveClip()"}));
    RecordingCanvas unclipped;
    DrawBitmapEx(unclipped, Rect(10, 10, 20, 20), bitmap, 0, 0, pbCenter);
    EXPECT_EQ(unclipped.Lines(), QStringList{"CopyRect(13,13,17,16,0,0,4,3,4,3)"});

    RecordingCanvas palette;
    TRect painted = Rect(1, 1, 2, 2);
    DrawBitmapPalette(palette, Rect(10, 10, 20, 20), bitmap, painted, 0, pbPalette);
    EXPECT_EQ(palette.Lines(), QStringList{"CopyRect(10,10,14,13,0,0,4,3,4,3)"});
    EXPECT_EQ(painted, Rect(10, 10, 14, 13));

    // The bitmap's pen at x = -1 stops both whole-bitmap routines; the painted area is then empty.
    bitmap.Canvas().MoveTo(-1, 0);
    RecordingCanvas stopped;
    DrawBitmapEx(stopped, Rect(10, 10, 20, 20), bitmap, 0, 0, 0);
    DrawBitmapPalette(stopped, Rect(10, 10, 20, 20), bitmap, painted, 0, 0);
    EXPECT_TRUE(stopped.Calls.empty());
    EXPECT_TRUE(painted.IsEmpty());
}

TEST(LXBitmapDraw, CopyWithMaskSplitsTheAreaByTheTransparentColour)
{
    TBitmap source = SolidBitmap(5, 1, clFuchsia);
    source.Canvas().SetPixel(1, 0, clRed);
    source.Canvas().SetPixel(3, 0, clBlue);
    TBitmap mask, image;
    CopyWithMask(source.Canvas(), Rect(1, 0, 4, 1), mask, clFuchsia, image);
    ASSERT_EQ(mask.Width(), 3);
    EXPECT_TRUE(mask.Monochrome());
    EXPECT_EQ(image.PixelFormat(), TPixelFormat::pf24bit);
    const TColor maskPixels[] = {clBlack, clWhite, clBlack};
    const TColor imagePixels[] = {clRed, clBlack, clBlue};
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(Probe(mask.Image(), x, 0), maskPixels[x]) << x;
        EXPECT_EQ(Probe(image.Image(), x, 0), imagePixels[x]) << x;
    }

    // A surface that cannot be read gives nothing to blit.
    RecordingCanvas unreadable;
    CopyWithMask(unreadable, Rect(0, 0, 4, 4), mask, clFuchsia, image);
    EXPECT_TRUE(mask.Empty());
    EXPECT_TRUE(image.Empty());
}

} // namespace
