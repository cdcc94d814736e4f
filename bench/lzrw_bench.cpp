// Compression and decompression throughput of the control library's block codec (the whole
// container through QBuffers) against zlib at level 1 (compress2 and uncompress), on the same 1 MB
// inputs: text-like words, 16-bit PCM (a tone with a little noise), a 24-bit BMP painted through the
// canvas (flat areas, lines, text), and random bytes. Run by hand, not by ctest:
//   cmake --build build --target lzrw_bench && build/bench/lzrw_bench
// Each benchmark reports the input's MB/s (bytes_per_second) and the compressed size (packed), so
// ours and zlib's compare line by line per input.
#include "OffscreenMain.h"
#include "controls/LZRW.h"
#include "platform_gui/Bitmap.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <zlib.h>

namespace {

constexpr int Size = 1 << 20;

QByteArray TextLike()
{
    const char* words[] = {"the",  "station", "plays",  "jingle",   "news", "at",
                           "hour", "weather", "music",  "playlist", "and",  "next",
                           "song", "from",    "studio", "live",     "\r\n"};
    QRandomGenerator random(11);
    QByteArray text;
    while (text.size() < Size) {
        text += words[random.bounded(int(std::size(words)))];
        text += ' ';
    }
    text.truncate(Size);
    return text;
}

QByteArray Pcm()
{
    QRandomGenerator random(12);
    QByteArray pcm(Size, '\0');
    auto* samples = reinterpret_cast<int16_t*>(pcm.data());
    for (int i = 0; i < Size / 2; ++i) {
        const double tone = 12000 * std::sin(2 * M_PI * 440 * (i / 2) / 44100.0);
        samples[i] = static_cast<int16_t>(tone + random.bounded(-64, 64));
    }
    return pcm;
}

QByteArray PaintedBmp()
{
    platform::TBitmap bitmap(591, 591); // 24 bits: 1776 x 591 bytes of rows, about 1 MB
    platform::TCanvas& canvas = bitmap.Canvas();
    const platform::TColor colors[] = {platform::clBtnFace, platform::clNavy, platform::clWhite, 0x3080C0};
    for (int i = 0; i < 4; ++i) {
        canvas.Brush.SetColor(colors[i]);
        canvas.FillRect({0, i * 148, 591, (i + 1) * 148});
    }
    canvas.Pen.SetColor(platform::clBlack);
    for (int x = 0; x < 591; x += 37) {
        canvas.MoveTo(x, 0);
        canvas.LineTo(590 - x / 2, 590);
    }
    canvas.Brush.SetStyle(platform::TBrushStyle::bsClear);
    for (int y = 10; y < 580; y += 24)
        canvas.TextOut(12, y, QStringLiteral("Sonvela Zodu 12:%1 Channel 1 playing").arg(y % 60));
    return bitmap.SaveToBmp().left(Size);
}

QByteArray RandomBytes()
{
    QRandomGenerator random(13);
    QByteArray bytes(Size, '\0');
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), Size / 4);
    return bytes;
}

const QByteArray& Input(int which)
{
    static const std::map<int, QByteArray> inputs = {
        {0, TextLike()}, {1, Pcm()}, {2, PaintedBmp()}, {3, RandomBytes()}};
    return inputs.at(which);
}

const char* InputName(int which)
{
    static const char* names[] = {"text", "pcm16", "bmp24", "random"};
    return names[which];
}

QByteArray OurCompress(const QByteArray& data)
{
    QBuffer source;
    source.setData(data);
    source.open(QIODevice::ReadOnly);
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    CompressStream(source, target, data.size());
    return target.data();
}

QByteArray OurDecompress(const QByteArray& container)
{
    QBuffer source;
    source.setData(container);
    source.open(QIODevice::ReadOnly);
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    DecompressStream(source, target);
    return target.data();
}

QByteArray ZlibCompress(const QByteArray& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.constData()),
              static_cast<uLong>(data.size()), 1);
    out.truncate(static_cast<qsizetype>(size));
    return out;
}

QByteArray ZlibUncompress(const QByteArray& packed)
{
    uLongf size = Size;
    QByteArray out(Size, '\0');
    uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
               reinterpret_cast<const Bytef*>(packed.constData()), static_cast<uLong>(packed.size()));
    out.truncate(static_cast<qsizetype>(size));
    return out;
}

void Record(benchmark::State& state, qsizetype packed)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * Size);
    state.counters["packed"] = double(packed);
    state.SetLabel(InputName(int(state.range(0))));
}

void BM_OursCompress(benchmark::State& state)
{
    const QByteArray& data = Input(int(state.range(0)));
    QByteArray packed;
    for (auto _ : state)
        benchmark::DoNotOptimize(packed = OurCompress(data));
    Record(state, packed.size());
}

void BM_OursDecompress(benchmark::State& state)
{
    const QByteArray& data = Input(int(state.range(0)));
    const QByteArray packed = OurCompress(data);
    if (OurDecompress(packed) != data)
        state.SkipWithError("round trip differs");
    for (auto _ : state)
        benchmark::DoNotOptimize(OurDecompress(packed));
    Record(state, packed.size());
}

void BM_ZlibCompress(benchmark::State& state)
{
    const QByteArray& data = Input(int(state.range(0)));
    QByteArray packed;
    for (auto _ : state)
        benchmark::DoNotOptimize(packed = ZlibCompress(data));
    Record(state, packed.size());
}

void BM_ZlibUncompress(benchmark::State& state)
{
    const QByteArray& data = Input(int(state.range(0)));
    const QByteArray packed = ZlibCompress(data);
    if (ZlibUncompress(packed) != data)
        state.SkipWithError("round trip differs");
    for (auto _ : state)
        benchmark::DoNotOptimize(ZlibUncompress(packed));
    Record(state, packed.size());
}

BENCHMARK(BM_OursCompress)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursDecompress)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompress)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

// Painting the BMP input needs the fonts.
int main(int argc, char** argv)
{
    return RunOffscreen<QGuiApplication>(argc, argv);
}
