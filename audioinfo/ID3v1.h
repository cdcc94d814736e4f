#pragma once
// The 128-byte tag at the end of an MPEG audio file (versions 1.0 and 1.1).
#include <QString>
#include <cstdint>

namespace platform {
class BinaryReader;
}

class TID3v1 {
public:
    TID3v1() { ResetData(); }

    // Resets, then reads the tag. False only when the last 128 bytes cannot be read (a shorter
    // file or an input/output error); a file without a tag gives true with Exists false.
    bool ReadFromFile(const QString& path);
    bool ReadFrom(platform::BinaryReader& reader);
    void ResetData();

    bool Exists;
    uint8_t VersionID; // 1 for ID3v1.0, 2 for ID3v1.1
    QString Title;
    QString Artist;
    QString Album;
    QString Year;
    QString Comment;
    uint8_t Track;
    uint8_t GenreID; // 255 when there is no tag
};
