#pragma once
// The tag at the start of an MPEG audio file: versions 2.2, 2.3 and 2.4, the sixteen text frames the
// system shows.
#include <QString>
#include <cstdint>

namespace platform {
class BinaryReader;
}

class TID3v2 {
public:
    TID3v2() { ResetData(); }

    // Resets, then reads the tag. False only when the 10-byte header cannot be read; a file
    // without a tag gives true with Exists false.
    bool ReadFromFile(const QString& path);
    bool ReadFrom(platform::BinaryReader& reader);
    void ResetData();

    // Bytes a tag occupies at the file start from its 10-byte header, header and footer included;
    // 0 without "ID3" or when larger than the file. The size bytes are taken whole, as the system
    // always has.
    static int64_t TagSize(const uint8_t* header, int64_t fileSize);

    bool Exists;
    uint8_t VersionID;
    int64_t Size;
    QString Title;
    QString Artist;
    QString Album;
    uint16_t Track;
    QString TrackString;
    QString Year;
    QString Genre;
    QString Comment;
    QString Composer;
    QString Encoder; // the tag's encoded-by text
    QString Copyright;
    QString Language;
    QString Link;
};
