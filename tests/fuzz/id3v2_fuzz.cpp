// libFuzzer target: the ID3v2 tag reader (header, frame loop, text decoding) over arbitrary bytes.
#include "Sink.h"
#include "audioinfo/ID3v2.h"
#include "platform/BinaryReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::BinaryReader in(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TID3v2 tag;
    fuzz::Keep(tag.ReadFrom(in));
    fuzz::KeepAll(tag.Exists, tag.VersionID, tag.Size, tag.Title, tag.Artist, tag.Album, tag.Track,
                  tag.TrackString, tag.Year, tag.Genre, tag.Comment, tag.Composer, tag.Encoder, tag.Copyright,
                  tag.Language, tag.Link);
    if (size >= 10)
        fuzz::Keep(TID3v2::TagSize(data, int64_t(size)));
    return 0;
}
