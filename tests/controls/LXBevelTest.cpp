#include "controls/LXBevel.h"
#include "Drawing.h"
#include "controls/LXDraw.h"
#include "platform_gui/PainterCanvas.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00;

// The bevel painted on a white 20 x 20 image; inner receives the rectangle it leaves.
QImage Painted(const TLXBevel& bevel, bool transparent, TRect* inner = nullptr)
{
    QImage image = BlankImage(20, 20);
    TRect left;
    {
        TPainterCanvas canvas(&image);
        bevel.PaintBevel(canvas, Rect(0, 0, 20, 20), left, transparent);
    }
    if (inner != nullptr)
        *inner = left;
    return image;
}

TEST(LXBevelTest, ExtentsOfEachMode)
{
    const struct {
        const char* name;
        std::function<void(TLXBevel&)> setUp;
        int extent, farExtent;
    } rows[] = {
        {"new bevel", [](TLXBevel&) {}, 0, 0},
        {"frame raised, width 1", [](TLXBevel& b) { b.SetStyleOuter(bvFrameRaised); }, 2, 2},
        {"both normal, widths 1", [](TLXBevel& b) { b.SetStyleOuter(bvNormal), b.SetStyleInner(bvNormal); },
         2, 2},
        {"clock frame: only the borders count without styles",
         [](TLXBevel& b) {
             b.SetWidthOuter(3), b.SetWidthInner(3), b.SetBorderWidth(3), b.SetBorderInnerWidth(3);
         },
         6, 6},
        {"outer raised 2, border 1, inner frame lowered 1",
         [](TLXBevel& b) {
             b.SetStyleOuter(bvRaised), b.SetWidthOuter(2), b.SetBorderWidth(1),
                 b.SetStyleInner(bvFrameLowered);
         },
         5, 5},
        {"shadow: frames 2, depth 3, inner border 1",
         [](TLXBevel& b) {
             b.SetStyleOuter(bvShadow), b.SetWidthInner(2), b.SetWidthOuter(3), b.SetBorderInnerWidth(1);
         },
         3, 6},
        {"standard single lowered", [](TLXBevel& b) { b.SetMode(bmStandard); }, 1, 1},
        {"edge without sides",
         [](TLXBevel& b) { b.SetMode(bmEdge), b.SetBorderSides(0), b.SetBorderInnerWidth(1); }, 1, 1},
        {"edge", [](TLXBevel& b) { b.SetMode(bmEdge); }, 2, 2},
        {"windows, drawn by the bevel", [](TLXBevel& b) { b.SetMode(bmWindows), b.SetBorderInnerWidth(1); },
         3, 3},
    };
    for (const auto& row : rows) {
        TLXBevel bevel;
        row.setUp(bevel);
        EXPECT_EQ(bevel.Extent(), row.extent) << row.name;
        EXPECT_EQ(bevel.FarExtent(), row.farExtent) << row.name;
        EXPECT_EQ(bevel.InnerRect(Rect(0, 0, 40, 30)),
                  Rect(row.extent, row.extent, 40 - row.farExtent, 30 - row.farExtent))
            << row.name;
    }
    TLXScrollBoxBevel system;
    EXPECT_EQ(system.Mode(), bmWindows);
    EXPECT_EQ(system.Extent(), 0) << "the platform draws the scroll box's frame";
    EXPECT_EQ(system.GetInspectorText(), "{Windows style}");
}

TEST(LXBevelTest, NoticesAndTheShadowCoupling)
{
    TLXBevel bevel;
    int notices = 0;
    bevel.OnChange = [&](TLXObject*) { ++notices; };

    bevel.SetStandardStyle(lsRaised);
    EXPECT_EQ(notices, 0) << "the standard style is not painted in bmCustom";
    bevel.SetWidthOuter(1);
    bevel.SetBorderColor(clBtnFace);
    EXPECT_EQ(notices, 0) << "unchanged values";

    bevel.SetStyleOuter(bvShadow);
    EXPECT_EQ(bevel.StyleInner(), bvShadow);
    bevel.SetStyleInner(bvRaised);
    EXPECT_EQ(bevel.StyleOuter(), bvNone);
    EXPECT_EQ(notices, 2);

    bevel.SetMode(bmStandard);
    bevel.SetStandardStyle(lsLowered);
    EXPECT_EQ(notices, 4);

    TLXBevel copy;
    copy.Assign(bevel);
    EXPECT_EQ(copy.StyleInner(), bvRaised);
    EXPECT_EQ(copy.Extent(), BorderStyleWidth(lsLowered));
}

TEST(LXBevelTest, ScrollBoxFrameChangesWithTheWindowsMode)
{
    TLXScrollBoxBevel bevel;
    EXPECT_TRUE(bevel.FrameChanged()) << "a platform frame is shown";
    bevel.SetMode(bmCustom);
    EXPECT_TRUE(bevel.FrameChanged()) << "the platform frame went";
    EXPECT_FALSE(bevel.FrameChanged());
    TLXBevel plain;
    plain.SetMode(bmWindows);
    EXPECT_FALSE(plain.FrameChanged());
}

TEST(LXBevelTest, RingAndBandColours)
{
    {
        TLXBevel raised;
        raised.SetStyleOuter(bvRaised);
        raised.SetLightColor(Blue);
        raised.SetShadowColor(Red);
        const QImage image = Painted(raised, false);
        EXPECT_EQ(Probe(image, 10, 0), Blue);
        EXPECT_EQ(Probe(image, 0, 10), Blue);
        EXPECT_EQ(Probe(image, 10, 19), Red);
        EXPECT_EQ(Probe(image, 19, 10), Red);
        EXPECT_EQ(Probe(image, 10, 1), clWhite);
    }
    TLXBevel border;
    border.SetBorderWidth(2);
    border.SetBorderColor(Red);
    TRect inner;
    QImage image = Painted(border, false, &inner);
    for (int inset : {0, 1})
        for (QPoint p :
             {QPoint(10, inset), QPoint(inset, 10), QPoint(10, 19 - inset), QPoint(19 - inset, 10)})
            EXPECT_EQ(Probe(image, p.x(), p.y()), Red) << "ring " << inset << " at " << p.x() << "," << p.y();
    EXPECT_EQ(Probe(image, 10, 2), clWhite);
    EXPECT_EQ(inner, Rect(2, 2, 18, 18));

    image = Painted(border, true, &inner);
    EXPECT_EQ(Probe(image, 10, 0), clWhite) << "a transparent bevel keeps what is below";
    EXPECT_EQ(Probe(image, 1, 10), clWhite);
    EXPECT_EQ(inner, Rect(2, 2, 18, 18)) << "but still takes the room";

    TLXBevel shadow;
    shadow.SetStyleOuter(bvShadow);
    shadow.SetWidthOuter(3);
    shadow.SetWidthInner(1);
    shadow.SetShadowColor(Red);
    shadow.SetBorderColor(Blue);
    shadow.SetLightColor(Green);
    image = Painted(shadow, false, &inner);
    EXPECT_EQ(Probe(image, 18, 10), Red);
    EXPECT_EQ(Probe(image, 10, 18), Red);
    EXPECT_EQ(Probe(image, 18, 1), Blue);
    EXPECT_EQ(Probe(image, 1, 18), Blue);
    EXPECT_EQ(Probe(image, 10, 0), Green);
    EXPECT_EQ(Probe(image, 0, 10), Green);
    EXPECT_EQ(Probe(image, 10, 10), clWhite);
    EXPECT_EQ(inner, Rect(1, 1, 16, 16));
    image = Painted(shadow, true);
    EXPECT_EQ(Probe(image, 18, 1), clWhite) << "no corners when transparent";
}

} // namespace
