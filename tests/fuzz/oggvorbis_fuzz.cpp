// libFuzzer target: the Ogg Vorbis reader (pages, identification and comment headers, last granule).
#include "Sink.h"
#include "audioinfo/OggVorbis.h"
#include "platform/BinaryReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::BinaryReader in(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TOggVorbis ogg;
    fuzz::Keep(ogg.ReadFrom(in));
    fuzz::KeepAll(ogg.GetDuration(), ogg.GetBitRate(), ogg.GetValid(), ogg.FileSize, ogg.Channels,
                  ogg.SampleRate, ogg.BitRateNominal, ogg.Samples, ogg.ID3v2Size, ogg.Title, ogg.Artist,
                  ogg.Album, ogg.Genre, ogg.Comment);
    return 0;
}
