#pragma once
// The identification and comment headers of an Ogg Vorbis file and the sample count of its last page:
// duration, average bit rate and the comment texts, without decoding any audio.
#include <QString>
#include <cstdint>

namespace platform {
class BinaryReader;
}

class TOggVorbis {
public:
    TOggVorbis() { ResetData(); }

    // Resets, then reads. True when the file holds the Ogg and Vorbis identification headers; a file
    // that cannot be opened gives false like any other unreadable file.
    bool ReadFromFile(const QString& path);
    bool ReadFrom(platform::BinaryReader& in);
    void ResetData();

    double GetDuration() const;
    uint16_t GetBitRate() const; // kbit/s over the whole file but its ID3v2 tag
    bool GetValid() const;

    int64_t FileSize;
    uint8_t Channels;
    uint32_t SampleRate;
    uint16_t BitRateNominal; // kbit/s
    int64_t Samples;         // samples played, over every link of a chain
    int64_t ID3v2Size;
    QString Title;
    QString Artist; // ARTIST, else PERFORMER
    QString Album;
    QString Genre;
    QString Comment; // COMMENT, else DESCRIPTION
};
