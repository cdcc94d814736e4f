// libFuzzer target: the WMA reader (ASF header objects, content descriptions) over arbitrary bytes.
#include "Sink.h"
#include "audioinfo/WMAfile.h"
#include "platform/BinaryReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::BinaryReader in(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TWMAfile wma;
    fuzz::Keep(wma.ReadFrom(in));
    fuzz::KeepAll(wma.Valid, wma.FileSize, wma.Channels, wma.SampleRate, wma.Duration, wma.BitRate, wma.Title,
                  wma.Artist, wma.Album, wma.Year, wma.Genre, wma.Comment, wma.Track);
    return 0;
}
