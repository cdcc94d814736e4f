// libFuzzer target: the WAV reader (RIFF chunk walk, format checks, duration) over arbitrary bytes.
#include "Sink.h"
#include "audioinfo/WAVfile.h"
#include "platform/BinaryReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::BinaryReader in(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TWAVfile wav;
    fuzz::Keep(wav.ReadFrom(in));
    fuzz::KeepAll(wav.GetDuration(), wav.Valid, wav.FormatTag, wav.Channels, wav.BitsPerSample,
                  wav.SampleRate, wav.BytesPerSecond, wav.DataSize, wav.BlockAlign, wav.HeaderSize,
                  wav.FileSize);
    return 0;
}
