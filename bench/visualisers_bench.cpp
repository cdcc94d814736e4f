// The GUI thread's cost of one frame of channel 1's visualiser box, as its 33 ms timer makes it: the
// data fetched from a stream playing on device 0 (the FFT for the spectrum, 2048 bytes of 16-bit
// stereo for the scopes), the frame drawn and handed to the box, and the box's paint into an image
// of its size (what the window system would take). White noise, so every band and every point moves:
// the most drawing a frame can take. At the channel's box size and at a full-width 1920 x 200.
// Run by hand: build/bench/visualisers_bench (ffmpeg makes the noise in a temporary folder).
#include "audiolib/AudioLib.h"
#include "playout/CircleScope.h"
#include "playout/FrequencyBars.h"
#include "playout/OcilloScope.h"
#include "playout/VisualBox.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <iostream>
#include <type_traits>

namespace {

constexpr platform::TColor Green = 0x008000;
audiolib::Handle stream = 0;

// The box and what it paints onto, as big as the visualiser.
struct Screen {
    Screen(int width, int height) : image(width, height, QImage::Format_RGB32) { box.resize(width, height); }
    void Paint() { box.render(&image); }
    TVisualBox box;
    QImage image;
};

void Spectrum(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Screen screen(width, height);
    TSpectrum spectrum(width, height);
    spectrum.DrawMode = 1;
    spectrum.Step = 2;
    spectrum.MaxHeight = 80;
    spectrum.BarColor = Green;
    spectrum.PeakColor = 0x0000FF;
    std::array<float, 512> fft{};
    for (auto _ : state) {
        const int32_t got = audiolib::ChannelGetData(stream, fft.data(), audiolib::DataFft1024);
        spectrum.Draw(screen.box, std::span<const float>(fft.data(), got < 0 ? 0 : fft.size()), 0, 0);
        screen.Paint();
    }
}

template <class Scope> void DrawScope(benchmark::State& state, int radius)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Screen screen(width, height);
    Scope scope(width, height);
    scope.Step = 2;
    scope.Scale = 50;
    scope.PenColor = Green;
    if constexpr (std::is_same_v<Scope, TCircleScope>)
        scope.Radius = radius;
    std::array<int16_t, 1024> samples{};
    for (auto _ : state) {
        const int32_t got = audiolib::ChannelGetData(stream, samples.data(), 2048);
        const size_t count = got < 0 ? 0 : static_cast<size_t>(got) / 2;
        if constexpr (std::is_same_v<Scope, TCircleScope>)
            scope.Draw(screen.box, std::span<const int16_t>(samples.data(), count), height / 2, width / 2);
        else
            scope.Draw(screen.box, std::span<const int16_t>(samples.data(), count), height / 2, 0);
        screen.Paint();
    }
}

void OcilloScope(benchmark::State& state)
{
    DrawScope<TOcilloScope>(state, 0);
}

void CircleScope(benchmark::State& state)
{
    DrawScope<TCircleScope>(state, 20);
}

} // namespace

BENCHMARK(Spectrum)->Args({600, 60})->Args({1920, 200})->Unit(benchmark::kMicrosecond);
BENCHMARK(OcilloScope)->Args({600, 60})->Args({1920, 200})->Unit(benchmark::kMicrosecond);
BENCHMARK(CircleScope)->Args({600, 60})->Args({1920, 200})->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const QString noise = folder.filePath("noise.wav");
    if (QProcess::execute("ffmpeg", {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                     "anoisesrc=amplitude=0.5:sample_rate=44100", "-t", "300", "-ac", "2",
                                     "-c:a", "pcm_s16le", noise}) != 0) {
        std::cerr << "ffmpeg could not make the noise\n";
        return 1;
    }
    // Device 0 on its own real-time clock: the data moves on between frames as it does on air.
    audiolib::Init(0, 44100, 0);
    const QByteArray path = noise.toUtf8();
    stream = audiolib::StreamCreateFile(false, path.constData(), 0, 0, 0);
    if (stream == 0 || !audiolib::ChannelPlay(stream, false)) {
        std::cerr << "the noise does not play\n";
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    audiolib::Free();
    return 0;
}
