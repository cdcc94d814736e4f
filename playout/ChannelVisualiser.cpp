#include "playout/ChannelVisualiser.h"

#include "playout/AudioLayer.h"

#include <algorithm>
#include <span>

namespace {

constexpr platform::TColor Green = 0x008000;
constexpr platform::TColor Red = 0x0000FF;

// The part of the buffer the library filled; nothing after a failure.
template <typename T, size_t N> std::span<const T> Filled(const std::array<T, N>& buffer, int32_t bytes)
{
    const size_t count = bytes > 0 ? static_cast<size_t>(bytes) / sizeof(T) : 0;
    return std::span<const T>(buffer.data(), std::min(count, N));
}

} // namespace

void SetChannelSpectrum(TSpectrum& spectrum)
{
    spectrum.DrawMode = 1;
    spectrum.Step = 2;
    spectrum.BarWidth = 5;
    spectrum.MaxHeight = 80;
    spectrum.BarColor = Green;
    spectrum.ShowPeaks = true;
    spectrum.BarFall = 3;
    spectrum.PeakFall = 1;
    spectrum.PeakColor = Red;
}

TChannelVisualiser::TChannelVisualiser(int width, int height)
    : circle_(width, height), scope_(width, height), spectrum_(width, height)
{
    circle_.DrawMode = 0;
    circle_.Radius = 20;
    circle_.Step = 2;
    circle_.Scale = 50;
    circle_.PenColor = Green;
    scope_.DrawMode = 0;
    scope_.Step = 2;
    scope_.Scale = 50;
    scope_.PenColor = Green;
    SetChannelSpectrum(spectrum_);
}

void TChannelVisualiser::SetSize(int width, int height)
{
    circle_.SetSize(width, height);
    scope_.SetSize(width, height);
    spectrum_.SetSize(width, height);
}

void TChannelVisualiser::DrawFrame(int slot, TVisualTarget& target)
{
    if (visualMode_ == 2) {
        const int32_t bytes = ChannelGetData(slot, fft_.data(), DataFFT1024);
        spectrum_.Draw(target, Filled(fft_, bytes), 0, 0);
        return;
    }
    const int32_t bytes = ChannelGetData(slot, samples_.data(), sizeof(samples_));
    const std::span<const int16_t> samples = Filled(samples_, bytes);
    if (visualMode_ == 0)
        circle_.Draw(target, samples, circle_.Height() / 2, circle_.Width() / 2);
    else
        scope_.Draw(target, samples, scope_.Height() / 2, 0);
}
