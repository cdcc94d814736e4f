// The skin engine's two costs a station feels: loading a package of about 1 MB from its bytes to the whole
// description (decompression, the INI text, every bitmap decoded, the made-up images), and painting the
// skinned frame of a 1280 x 1024 window from that description (the four borders as frame bitmaps, copied
// opaque), with the window region the transparent borders cut, which is rebuilt on a resize only.
// Run by hand, not by ctest, pinned to one core:
//   cmake --build build --target skin_bench && taskset -c 2 build/bench/skin_bench
// Goals: the load under 20 ms, the frame under 2 ms.
#include "OffscreenMain.h"
#include "skin/core/SkinDescriptionReader.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinRegion.h"
#include "skinbuilder/Bmp24.h"
#include "skinbuilder/SkinFixture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <map>

namespace {

constexpr QSize Window(1280, 1024);

// The builder's fixture with borders as large as a big skin's, about 1 MB of bitmaps. Its large images
// carry noise of the given bits per channel over their signature colours: 0 leaves the flat colours,
// which compress to almost nothing; 4 is a grain like painted artwork's; 8 does not compress at all.
QByteArray LargePackage(int noiseBits)
{
    using namespace skinbuilder;
    SkinFixture fixture = StandardFixture();
    fixture.Image("top.bmp")->cell = {1280, 48};
    fixture.Image("bottom.bmp")->cell = {1280, 24};
    fixture.Image("left.bmp")->cell = {24, 1024};
    fixture.Image("right.bmp")->cell = {24, 1024};
    const quint32 channel = (1u << noiseBits) - 1;
    const quint32 noise = channel | channel << 8 | channel << 16;
    QRandomGenerator random(51);
    QList<Member> members = fixture.Members();
    for (Member& member : members) {
        const ImageLayout* layout = fixture.Image(member.name);
        if (!layout || layout->Size().width() * layout->Size().height() < 30000)
            continue;
        QImage image = SignatureImage(*layout);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != Magenta)
                    image.setPixel(x, y, image.pixel(x, y) ^ (random.generate() & noise));
        member.bytes = Bmp24(image);
    }
    return SkinPackage(members);
}

const QByteArray& Package(int noiseBits)
{
    static std::map<int, QByteArray> packages;
    auto known = packages.find(noiseBits);
    if (known == packages.end())
        known = packages.emplace(noiseBits, LargePackage(noiseBits)).first;
    return known->second;
}

const TSkinDescription& Description()
{
    static const TSkinDescription description = *LoadSkinDescription(Package(4)).description;
    return description;
}

// One border over its rectangle of the window: cell 1 (active), stacked for Top and Bottom.
void PaintBorder(QPainter& painter, const TDataSkinBorder& border, const QRect& rect, bool stacked)
{
    painter.drawImage(rect.topLeft(), SkinFrameBitmap(rect.size(), border.Image, border.Edges(), stacked,
                                                      border.Tile != 1, border.Frames, 1));
}

// Where the four borders of the window go: their widths are their cells' (Top and Bottom stacked).
struct BorderRects {
    QRect left, right, bottom, top;

    explicit BorderRects(const TSkinDescription& d)
    {
        const int w = Window.width();
        const int h = Window.height();
        const int caption = d.Top.Image.height() / d.Top.Frames;
        const int leftWidth = d.Left.Image.width() / d.Left.Frames;
        const int rightWidth = d.Right.Image.width() / d.Right.Frames;
        const int bottomHeight = d.Bottom.Image.height() / d.Bottom.Frames;
        left = QRect(0, 0, leftWidth, h);
        right = QRect(w - rightWidth, 0, rightWidth, h);
        bottom = QRect(leftWidth, h - bottomHeight, w - leftWidth - rightWidth, bottomHeight);
        top = QRect(leftWidth, 0, w - leftWidth - rightWidth, caption);
    }
};

void LoadPackage(benchmark::State& state)
{
    const QByteArray& package = Package(int(state.range(0)));
    for (auto _ : state) {
        TSkinLoadResult result = LoadSkinDescription(package);
        if (!result.description)
            state.SkipWithError(result.message.toStdString().c_str());
        benchmark::DoNotOptimize(result);
    }
    state.counters["package_bytes"] = double(package.size());
    state.counters["decoded_bytes"] = double(qFromLittleEndian<quint32>(package.constData()));
}
BENCHMARK(LoadPackage)
    ->ArgName("noise_bits")
    ->Arg(0)
    ->Arg(4)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void PaintWindowFrame(benchmark::State& state)
{
    const TSkinDescription& d = Description();
    const BorderRects rects(d);
    QImage window(Window, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&window);
        PaintBorder(painter, d.Left, rects.left, false);
        PaintBorder(painter, d.Right, rects.right, false);
        PaintBorder(painter, d.Bottom, rects.bottom, true);
        PaintBorder(painter, d.Top, rects.top, true);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(PaintWindowFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The shapes of the three transparent borders (Left, Right, Top) joined with the inside of the frame.
void WindowRegion(benchmark::State& state)
{
    const TSkinDescription& d = Description();
    const BorderRects rects(d);
    const auto shape = [](const TDataSkinBorder& border, const QRect& rect, bool stacked) {
        const QImage strip = SkinFrameBitmap(rect.size(), border.Image, border.Edges(), stacked,
                                             border.Tile != 1, border.Frames, 1);
        return RegionFromBitmap(strip, rect.left(), rect.top(), 1, 1, 1, SkinKeyColor);
    };
    for (auto _ : state) {
        QRegion region(QRect(rects.top.bottomLeft() + QPoint(0, 1), rects.bottom.topRight() - QPoint(0, 1)));
        region += shape(d.Left, rects.left, false);
        region += shape(d.Right, rects.right, false);
        region += shape(d.Top, rects.top, true);
        region += rects.bottom;
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(WindowRegion)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreen<QGuiApplication>(argc, argv);
}
