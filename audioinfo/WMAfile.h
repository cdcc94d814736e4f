#pragma once
// The header objects at the start of an ASF (WMA) file: stream format, play time and the texts of the
// two content-description objects. No data packet is read.
#include <QString>
#include <cstdint>

namespace platform {
class BinaryReader;
}

class TWMAfile {
public:
    TWMAfile() { ResetData(); }

    // Resets, then reads the header objects. False when the file cannot be opened or read; whether
    // it is usable is Valid. When it is not, every field keeps its reset value.
    bool ReadFromFile(const QString& path);
    bool ReadFrom(platform::BinaryReader& in);
    void ResetData();

    bool Valid;
    int64_t FileSize;
    uint8_t Channels;
    uint32_t SampleRate;
    double Duration;  // seconds
    uint32_t BitRate; // kbit/s
    QString Title;
    QString Artist;
    QString Album;
    QString Year;
    QString Genre;
    QString Comment;
    uint32_t Track;
};
