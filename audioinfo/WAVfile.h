#pragma once
// Whether a file is a RIFF/WAVE file the station can play (PCM, ADPCM or floating point, also in the
// extensible layout), and its duration from the header.
#include <QString>
#include <cstdint>

namespace platform {
class BinaryReader;
}

class TWAVfile {
public:
    TWAVfile() { ResetData(); }

    // Resets, then reads the header chunks. False when the header cannot be read (a file under 40
    // bytes or an input/output error); whether the file is usable is Valid.
    bool ReadFromFile(const QString& path);
    bool ReadFrom(platform::BinaryReader& in);
    void ResetData();

    // Seconds from the fact chunk's sample count, else from the data size the RIFF header states.
    double GetDuration() const;

    bool Valid;
    uint16_t FormatTag; // as the format chunk has it: 0xFFFE for the extensible layout
    uint8_t Channels;
    uint8_t BitsPerSample;
    uint32_t SampleRate;
    uint32_t BytesPerSecond;
    uint32_t SampleCount; // from a fact chunk; 0 without one
    uint16_t BlockAlign;
    int64_t HeaderSize; // where the sample data start
    int64_t FileSize;   // the RIFF size + 8, which may differ from the size on disk
};
