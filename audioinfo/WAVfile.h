#pragma once
// Whether a file is a WAVE file the station can play (integer PCM of 8, 16, 24 or 32 bits or IEEE
// floating point, also in the extensible layout, in a RIFF or RF64 wrapper, with at least one frame of
// sound), and its duration from the sample data the file really holds.
#include <QString>
#include <cstdint>

namespace platform {
class BinaryReader;
}

class TWAVfile {
public:
    TWAVfile() { ResetData(); }

    // Resets, then reads the header chunks. False when the header cannot be read (a file under 40
    // bytes or an input/output error); whether the file is playable is Valid.
    bool ReadFromFile(const QString& path);
    bool ReadFrom(platform::BinaryReader& in);
    void ResetData();

    // Seconds of the whole frames in the sample data.
    double GetDuration() const;

    bool Valid;
    uint16_t FormatTag; // as the format chunk has it: 0xFFFE for the extensible layout
    uint8_t Channels;
    uint8_t BitsPerSample;
    uint32_t SampleRate;
    uint32_t BytesPerSecond;
    uint16_t BlockAlign;
    int64_t HeaderSize; // where the sample data start
    int64_t DataSize;   // bytes of sample data, no more than the file holds after HeaderSize
    int64_t FileSize;   // the RIFF size (from ds64 in RF64) + 8, which may differ from the size on disk
};
