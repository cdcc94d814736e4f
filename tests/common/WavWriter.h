#pragma once
// Writes the small PCM WAV fixtures the tests need, so no sample file comes from elsewhere.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

namespace testing_support {

struct WavFormat {
    int sampleRate = 44100;
    int channels = 2;
    int bitsPerSample = 16; // 8, 16, 24 or 32 (integer PCM)
};

// `sample(frame, channel)` gives a value in [-1, 1]; it is scaled to the format's integer range.
QByteArray MakeWav(const WavFormat& format, int64_t frames,
                   const std::function<double(int64_t, int)>& sample);
bool WriteWav(const QString& path, const WavFormat& format, int64_t frames,
              const std::function<double(int64_t, int)>& sample);

// A sine of the given frequency and amplitude on every channel.
std::function<double(int64_t, int)> Sine(double frequency, double amplitude, int sampleRate);

} // namespace testing_support
