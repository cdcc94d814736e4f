#include "WavWriter.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace testing_support {

namespace {
void PutLE(QByteArray& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}
} // namespace

QByteArray MakeWav(const WavFormat& format, int64_t frames, const std::function<double(int64_t, int)>& sample)
{
    const int bytesPerSample = format.bitsPerSample / 8;
    const uint32_t dataSize = static_cast<uint32_t>(frames * format.channels * bytesPerSample);
    QByteArray out;
    out.reserve(44 + dataSize);
    out.append("RIFF");
    PutLE(out, 36 + dataSize, 4);
    out.append("WAVEfmt ");
    PutLE(out, 16, 4);
    PutLE(out, 1, 2); // PCM
    PutLE(out, format.channels, 2);
    PutLE(out, format.sampleRate, 4);
    PutLE(out, format.sampleRate * format.channels * bytesPerSample, 4);
    PutLE(out, format.channels * bytesPerSample, 2);
    PutLE(out, format.bitsPerSample, 2);
    out.append("data");
    PutLE(out, dataSize, 4);
    const double full = std::ldexp(1.0, format.bitsPerSample - 1) - 1.0;
    for (int64_t f = 0; f < frames; ++f) {
        for (int c = 0; c < format.channels; ++c) {
            const double v = std::clamp(sample(f, c), -1.0, 1.0);
            const auto scaled = static_cast<int32_t>(std::lround(v * full));
            if (format.bitsPerSample == 8)
                PutLE(out, static_cast<uint32_t>(scaled + 128), 1); // 8-bit WAV is unsigned
            else
                PutLE(out, static_cast<uint32_t>(scaled), bytesPerSample);
        }
    }
    return out;
}

bool WriteWav(const QString& path, const WavFormat& format, int64_t frames,
              const std::function<double(int64_t, int)>& sample)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = MakeWav(format, frames, sample);
    return file.write(bytes) == bytes.size();
}

std::function<double(int64_t, int)> Sine(double frequency, double amplitude, int sampleRate)
{
    return [=](int64_t frame, int) {
        return amplitude *
               std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(frame) / sampleRate);
    };
}

} // namespace testing_support
