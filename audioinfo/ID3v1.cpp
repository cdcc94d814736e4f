#include "audioinfo/ID3v1.h"

#include "platform/BinaryReader.h"
#include "platform/Text.h"

namespace {
constexpr int kTagSize = 128;

// Inner zero bytes stay; only trailing bytes of value 32 or below go.
QString FieldText(const uint8_t* bytes, int length)
{
    while (length > 0 && bytes[length - 1] <= 32)
        --length;
    return platform::DecodeWindows1252(QByteArray(reinterpret_cast<const char*>(bytes), length));
}
} // namespace

void TID3v1::ResetData()
{
    Exists = false;
    VersionID = 1;
    Title.clear();
    Artist.clear();
    Album.clear();
    Year.clear();
    Comment.clear();
    Track = 0;
    GenreID = 255;
}

bool TID3v1::ReadFromFile(const QString& path)
{
    platform::BinaryReader reader(path);
    return ReadFrom(reader);
}

bool TID3v1::ReadFrom(platform::BinaryReader& reader)
{
    ResetData();
    if (!reader.IsOpen() || reader.Size() < kTagSize)
        return false;
    uint8_t tag[kTagSize];
    reader.Seek(reader.Size() - kTagSize);
    if (reader.Read(tag, kTagSize) != kTagSize || reader.HasError())
        return false;
    if (tag[0] != 'T' || tag[1] != 'A' || tag[2] != 'G')
        return true;

    Exists = true;
    const bool v11 = (tag[125] == 0 && tag[126] != 0) || (tag[125] == ' ' && tag[126] != ' ');
    VersionID = v11 ? 2 : 1;
    Title = FieldText(tag + 3, 30);
    Artist = FieldText(tag + 33, 30);
    Album = FieldText(tag + 63, 30);
    Year = FieldText(tag + 93, 4);
    Comment = FieldText(tag + 97, v11 ? 28 : 30);
    if (v11)
        Track = tag[126];
    GenreID = tag[127];
    return true;
}
