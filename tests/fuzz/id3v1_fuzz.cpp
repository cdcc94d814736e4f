// libFuzzer target: the ID3v1 trailer reader over arbitrary bytes.
#include "Sink.h"
#include "audioinfo/ID3v1.h"
#include "platform/BinaryReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::BinaryReader in(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TID3v1 tag;
    fuzz::Keep(tag.ReadFrom(in));
    fuzz::KeepAll(tag.Exists, tag.VersionID, tag.Title, tag.Artist, tag.Album, tag.Year, tag.Comment,
                  tag.Track, tag.GenreID);
    return 0;
}
